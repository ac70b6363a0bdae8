#include "material/zarvex_scene_parse_utils.h"
#include "xml_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace Zarvex;

// The message an operation throws, or "" when it does not throw.
std::string thrown(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ZarvexSceneParseUtilsExcep& e) {
        return e.what();
    }
    return "";
}

// The root p is the first element of the text: line 1, column 1.
const char* const kValues = "<p>\n"
                            "  <num> 2.5 </num><bad>2.5x</bad><empty></empty>\n"
                            "  <v>1-2-3</v><v2>1 2</v2><v4>1 2 3 4</v4>\n"
                            "  <i>-42</i><idash>-</idash><itrail>4.5</itrail>\n"
                            "  <t>true</t><f>false</f><tsp><![CDATA[ true]]></tsp>\n"
                            "  <split>ab<!-- c -->cd<![CDATA[<e>]]><x>nested</x>ef</split>\n"
                            "  <num>7</num>\n"
                            "</p>";
const std::string kRootContext = "  (In element 'p', around line 1, column 1)";

TEST(ParseUtils, ErrorContextCountsLinesAndColumnsFromOne) {
    const XmlText xml("<root>\n\n\n\n  <diffuse/>\n</root>");
    EXPECT_EQ(errorContext(xml.root()), "  (In element 'root', around line 1, column 1)");
    EXPECT_EQ(errorContext(*xml.root().FirstChildElement()),
              "  (In element 'diffuse', around line 5, column 3)");
}

TEST(ParseUtils, ReadsValuesOfTheFirstChildOfAName) {
    const XmlText xml(kValues);
    const TiXmlElement& p = xml.root();
    EXPECT_EQ(parseDoubleChild(p, "num"), 2.5);
    EXPECT_EQ(parseDoubleChildOr(p, "num", 9.0), 2.5);
    EXPECT_EQ(parseDoubleChildOr(p, "missing", 9.0), 9.0);
    const Vec3 v = parseVec3Child(p, "v");
    EXPECT_EQ(v.x, 1.0);
    EXPECT_EQ(v.y, -2.0);
    EXPECT_EQ(v.z, -3.0);
    EXPECT_EQ(parseIntChild(p, "i"), -42);
    EXPECT_EQ(parseIntChildOr(p, "missing", 5), 5);
    EXPECT_TRUE(parseBoolChild(p, "t"));
    EXPECT_FALSE(parseBoolChild(p, "f"));
    EXPECT_TRUE(parseBoolChildOr(p, "missing", true));
    // Text pieces around a comment, a CDATA section and a nested element, concatenated.
    EXPECT_EQ(childText(p, "split"), "abcd<e>ef");
    EXPECT_EQ(childText(p, "empty"), "");
    EXPECT_EQ(childTextOr(p, "missing", "fallback"), "fallback");
    EXPECT_EQ(&getChildElement(p, "num"), p.FirstChildElement("num"));
}

struct MessageCase {
    const char* operation;
    std::function<void(const TiXmlElement&)> call;
    std::string message; // without the context of p
};

void PrintTo(const MessageCase& c, std::ostream* os) {
    *os << c.operation;
}

class ParseUtilsMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ParseUtilsMessage, NamesTheProblemAndEndsWithTheParentsContext) {
    const XmlText xml(kValues);
    EXPECT_EQ(thrown([&] { GetParam().call(xml.root()); }), GetParam().message + kRootContext);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseUtilsMessage,
    ::testing::Values(
        MessageCase{"getChildElement", [](const TiXmlElement& p) { getChildElement(p, "nope"); },
                    "Failed to find expected element 'nope'."},
        MessageCase{"childText", [](const TiXmlElement& p) { childText(p, "nope"); },
                    "could not find element 'nope'."},
        MessageCase{"parseDoubleChildMissing",
                    [](const TiXmlElement& p) { parseDoubleChild(p, "nope"); },
                    "could not find element 'nope'."},
        MessageCase{"parseDoubleChildTrailing",
                    [](const TiXmlElement& p) { parseDoubleChild(p, "bad"); },
                    "Parse error while parsing double from '2.5x'."},
        MessageCase{"parseDoubleChildEmpty",
                    [](const TiXmlElement& p) { parseDoubleChild(p, "empty"); },
                    "Failed to parse double from ''."},
        MessageCase{"parseDoubleChildOrPresent",
                    [](const TiXmlElement& p) { parseDoubleChildOr(p, "bad", 1.0); },
                    "Parse error while parsing double from '2.5x'."},
        MessageCase{"parseVec3ChildShort", [](const TiXmlElement& p) { parseVec3Child(p, "v2"); },
                    "Failed to parse Vec3 from '1 2'."},
        MessageCase{"parseVec3ChildLong", [](const TiXmlElement& p) { parseVec3Child(p, "v4"); },
                    "Parse error while parsing Vec3 from '1 2 3 4'."},
        MessageCase{"parseIntChildSignOnly",
                    [](const TiXmlElement& p) { parseIntChildOr(p, "idash", 0); },
                    "Failed to parse integer from '-'."},
        MessageCase{"parseIntChildTrailing",
                    [](const TiXmlElement& p) { parseIntChild(p, "itrail"); },
                    "Parse error while parsing integer from '4.5'."},
        MessageCase{"parseBoolChildSpace", [](const TiXmlElement& p) { parseBoolChild(p, "tsp"); },
                    "Invalid boolean value (Should be 'true' or 'false')."},
        MessageCase{"parseBoolChildOrNumber",
                    [](const TiXmlElement& p) { parseBoolChildOr(p, "num", false); },
                    "Invalid boolean value (Should be 'true' or 'false')."},
        MessageCase{"checkNoUnexpectedElements",
                    [](const TiXmlElement& p) {
                        checkNoUnexpectedElements(p, {"num", "bad", "empty", "v", "v4"});
                    },
                    "Found unexpected element 'v2'."},
        MessageCase{"checkNoUnexpectedElementsEmptyList",
                    [](const TiXmlElement& p) { checkNoUnexpectedElements(p, {}); },
                    "Found unexpected element 'num'."}),
    [](const ::testing::TestParamInfo<MessageCase>& info) { return info.param.operation; });

TEST(ParseUtils, MutuallyExclusiveChildrenPassWithExactlyOneAllowedChild) {
    const std::vector<std::string> forms = {"constant", "texture", "shader"};
    const XmlText one("<albedo><!-- note --><texture/>text</albedo>");
    EXPECT_EQ(thrown([&] { checkMutuallyExclusiveChildren(one.root(), forms); }), "");

    const XmlText two("<albedo><texture/><constant/></albedo>");
    EXPECT_EQ(thrown([&] { checkMutuallyExclusiveChildren(two.root(), forms); }),
              "Found unexpected element 'constant,  already parsed mutually exclusive element "
              "'texture'.  (In element 'albedo', around line 1, column 1)");

    const XmlText none("<albedo>0.5</albedo>");
    EXPECT_EQ(thrown([&] { checkMutuallyExclusiveChildren(none.root(), forms); }),
              "Failed to find child for element 'albedo' - Child should be one of 'constant', "
              "'shader', 'texture'.  (In element 'albedo', around line 1, column 1)");

    const XmlText other("<albedo><colour/></albedo>");
    EXPECT_EQ(thrown([&] { checkMutuallyExclusiveChildren(other.root(), forms); }),
              "Found unexpected element 'colour'.  (In element 'albedo', around line 1, column 1)");

    // A name outside the list is reported as such even after an accepted child.
    const XmlText later("<albedo><shader/><colour/></albedo>");
    EXPECT_EQ(thrown([&] { checkMutuallyExclusiveChildren(later.root(), forms); }),
              "Found unexpected element 'colour'.  (In element 'albedo', around line 1, column 1)");
}

TEST(ParseUtils, ExceptionIsCopiedByValue) {
    ZarvexSceneParseUtilsExcep original("message");
    const ZarvexSceneParseUtilsExcep copy = original;
    original = ZarvexSceneParseUtilsExcep("other");
    EXPECT_EQ(copy.what(), "message");
}

} // namespace
