// Test helper: a parsed XML text whose root element the tests read from.
#pragma once

#include "util/xml_parse.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class XmlText {
public:
    explicit XmlText(const std::string& text) : document_(new TiXmlDocument) {
        parsed_ = parseXmlDocument(text, *document_);
        EXPECT_TRUE(parsed_) << text;
    }
    const TiXmlElement& root() const { return *document_->FirstChildElement(); }

private:
    std::unique_ptr<TiXmlDocument> document_;
    bool parsed_ = false;
};
