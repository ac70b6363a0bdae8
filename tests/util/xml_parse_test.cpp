#include "util/xml_parse.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

std::string repeat(const std::string& piece, int times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

std::string nested(int depth) {
    return repeat("<a>", depth) + repeat("</a>", depth);
}

// A document that already holds something, to see that a failed parse leaves nothing behind.
void fill(TiXmlDocument& document) {
    document.Clear();
    document.LinkEndChild(new TiXmlElement("stale"));
}

TEST(ParseXmlDocument, AcceptsAnOrdinaryFile) {
    const std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                             "<!-- written by hand -->\n"
                             "<scenedata>\n"
                             "  <material name=\"x > y\"><name>Chrome</name>"
                             "<shader><![CDATA[if (a < b) {}]]></shader></material>\n"
                             "</scenedata>\n";
    TiXmlDocument document;
    fill(document);
    ASSERT_TRUE(parseXmlDocument(text, document));
    const TiXmlElement* root = document.FirstChildElement();
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->Value(), "scenedata");
    EXPECT_EQ(root->NextSiblingElement(), nullptr);
    EXPECT_STREQ(root->FirstChildElement("material")->FirstChildElement("name")->GetText(),
                 "Chrome");
}

TEST(ParseXmlDocument, AllowsTopLevelElementsSideBySide) {
    TiXmlDocument document;
    ASSERT_TRUE(parseXmlDocument("<first>1</first>\n<second/>\n", document));
    const TiXmlElement* first = document.FirstChildElement();
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->Value(), "first");
    ASSERT_NE(first->NextSiblingElement(), nullptr);
    EXPECT_STREQ(first->NextSiblingElement()->Value(), "second");
}

TEST(ParseXmlDocument, NestingUpToTheLimitIsAcceptedAndOneMoreIsRefused) {
    TiXmlDocument document;
    EXPECT_EQ(xmlNestingDepth(nested(kMaxXmlNestingDepth)), kMaxXmlNestingDepth);
    EXPECT_TRUE(parseXmlDocument(nested(kMaxXmlNestingDepth), document));
    fill(document);
    EXPECT_FALSE(parseXmlDocument(nested(kMaxXmlNestingDepth + 1), document));
    EXPECT_EQ(document.FirstChild(), nullptr);
}

TEST(ParseXmlDocument, RefusesDeepNestingWithoutRecursing) {
    // Deep enough to overflow any thread's stack inside TinyXML.
    const std::string deep = nested(100000);
    EXPECT_EQ(xmlNestingDepth(deep), 100000);
    TiXmlDocument document;
    fill(document);
    EXPECT_FALSE(parseXmlDocument(deep, document));
    EXPECT_EQ(document.FirstChild(), nullptr);
    EXPECT_FALSE(parseXmlDocument(repeat("<a>", 100000), document));
}

std::string withAttributes(int count) {
    std::string element = "<a";
    for (int i = 0; i < count; ++i) {
        element += " x" + std::to_string(i) + "=\"1\"";
    }
    return element + "/>";
}

TEST(ParseXmlDocument, AttributesUpToTheLimitAreAcceptedAndOneMoreIsRefused) {
    // TinyXML's work grows with the square of the attributes of one element; many elements at
    // the limit are fine.
    TiXmlDocument document;
    ASSERT_TRUE(parseXmlDocument(
        "<r>" + repeat(withAttributes(kMaxXmlAttributesPerElement), 3) + "</r>", document));
    EXPECT_STREQ(document.RootElement()->FirstChildElement()->Attribute("x255"), "1");
    for (const std::string& text :
         {withAttributes(kMaxXmlAttributesPerElement + 1),
          "<r><b/>" + withAttributes(kMaxXmlAttributesPerElement + 1) + "</r>"}) {
        fill(document);
        EXPECT_FALSE(parseXmlDocument(text, document));
        EXPECT_EQ(document.FirstChild(), nullptr);
    }
}

// Texts on which TinyXML's structure differs from what a naive scan of the markup suggests.
// Each one nests 100000 elements as TinyXML reads it; passing it to TinyXML would crash.
struct DisguisedNesting {
    const char* name;
    std::string prefix;
    std::string level;
    std::string suffix;
};

void PrintTo(const DisguisedNesting& c, std::ostream* os) {
    *os << c.name;
}

class DisguisedDeepNesting : public ::testing::TestWithParam<DisguisedNesting> {};

TEST_P(DisguisedDeepNesting, IsCountedAsTinyXmlNestsIt) {
    const DisguisedNesting& c = GetParam();
    const std::string text = c.prefix + repeat(c.level, 100000) + c.suffix;
    EXPECT_EQ(xmlNestingDepth(text), 100000);
    TiXmlDocument document;
    EXPECT_FALSE(parseXmlDocument(text, document));
    EXPECT_EQ(document.FirstChild(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisguisedDeepNesting,
    ::testing::Values(
        // TinyXML ends a processing instruction and a declaration at the first '>'.
        DisguisedNesting{"ProcessingInstruction", "<?pi >", "<a>", "?>"},
        DisguisedNesting{"Declaration", "<?xml >", "<a>", "?>"},
        // After a UTF-8 declaration a lead byte takes the next bytes with it, even an end tag
        // or a closing quote.
        DisguisedNesting{"Utf8LeadByteSwallowsEndTag", "<?xml version=\"1.0\"?>", "<a>\xE0</a>",
                         ""},
        DisguisedNesting{"Utf8LeadByteSwallowsQuote", "<?xml version=\"1.0\"?>", "<a b=\"\xC3\"\">",
                         ""},
        DisguisedNesting{"ByteOrderMarkSelectsUtf8", "\xEF\xBB\xBF", "<a>\xE0</a>", ""},
        // A hexadecimal character reference runs to the next ';'.
        DisguisedNesting{"CharacterReference", "", "<a>&#x</a>x;", ""}),
    [](const ::testing::TestParamInfo<DisguisedNesting>& info) { return info.param.name; });

TEST(XmlNestingDepth, SkipsWhatTinyXmlReadsAsTextOrMarkup) {
    // Quoted '>' and "/>" in attribute values, '<' in comments and CDATA sections, an unknown
    // declaration and a legacy encoding, in which bytes stand alone.
    EXPECT_EQ(xmlNestingDepth("<a b=\">\" c='/>'><d/></a>"), 2);
    EXPECT_EQ(xmlNestingDepth("<a><!-- <b><b> --><![CDATA[<c><c>]]></a>"), 1);
    EXPECT_EQ(xmlNestingDepth("<!DOCTYPE a><a><b></b><b/></a>"), 2);
    EXPECT_EQ(xmlNestingDepth("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE0</a><a/>"), 1);
    EXPECT_EQ(xmlNestingDepth(""), 0);
    EXPECT_EQ(xmlNestingDepth("no markup"), 0);
}

TEST(ParseXmlDocument, FailsWithoutAnElement) {
    for (const std::string text :
         {"", "   \n", "<?xml version=\"1.0\"?>", "<!-- only a comment -->", "plain text"}) {
        TiXmlDocument document;
        fill(document);
        EXPECT_FALSE(parseXmlDocument(text, document)) << text;
        EXPECT_EQ(document.FirstChild(), nullptr) << text;
    }
}

TEST(ParseXmlDocument, LeavesNothingBehindAParseError) {
    // Each text starts with a valid element, which TinyXML keeps in its tree on its own.
    for (const std::string text : {"<a><b>1</b></a><c>", "<a><b>1</b></a><c></d>",
                                   "<a><b>1</b></a><c x=\"1\" x=\"2\"/>", "<a>1</a><c x=\"1"}) {
        TiXmlDocument document;
        fill(document);
        EXPECT_FALSE(parseXmlDocument(text, document)) << text;
        EXPECT_EQ(document.FirstChild(), nullptr) << text;
    }
}

TEST(ParseXmlDocument, FailsWhenTinyXmlWouldSilentlyStopBeforeTheEnd) {
    // TinyXML reports success on these and drops the element after the junk.
    for (const std::string text : {"<a/>junk<b/>", "<a/><?xml version ?><b/>"}) {
        TiXmlDocument document;
        EXPECT_FALSE(parseXmlDocument(text, document)) << text;
        EXPECT_EQ(document.FirstChild(), nullptr) << text;
    }
}

TEST(ParseXmlDocument, RefusesAnEmbeddedNul) {
    const std::string text("<a>1</a>\0<b/>", 13);
    TiXmlDocument document;
    fill(document);
    EXPECT_FALSE(parseXmlDocument(text, document));
    EXPECT_EQ(document.FirstChild(), nullptr);
}

TEST(ParseXmlDocument, ReplacesWhatTheDocumentHeld) {
    TiXmlDocument document;
    fill(document);
    ASSERT_TRUE(parseXmlDocument("<fresh/>", document));
    EXPECT_STREQ(document.FirstChildElement()->Value(), "fresh");
    EXPECT_EQ(document.FirstChildElement()->NextSiblingElement(), nullptr);
}

} // namespace
