// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace ventbox::test {

// An element of a picture as a viewer reads it: its name, attributes, the
// text it holds (its children's included, entities resolved) and the clip
// path in force from its ancestors.
struct SvgElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::string clip;
    std::vector<std::size_t> children;  // places in the reader's list
    std::string attribute(const std::string& key) const {
        const auto found = attributes.find(key);
        return found == attributes.end() ? std::string() : found->second;
    }
    double number(const std::string& key) const { return std::stod(attribute(key)); }
};

// Reads the XML of an SVG picture into its elements in document order;
// throws on markup that is not well formed, so that a test fails on a
// picture no viewer would open.
class SvgReader {
public:
    explicit SvgReader(const std::string& xml) : xml_(xml) {
        if (xml_.rfind("<?xml", 0) == 0) at_ = xml_.find("?>") + 2;
        std::vector<std::size_t> open;
        while (at_ < xml_.size()) {
            if (xml_[at_] != '<') {
                const std::size_t end = xml_.find('<', at_);
                const std::string text = resolved(xml_.substr(at_, end - at_));
                for (std::size_t e : open) elements[e].text += text;
                at_ = end == std::string::npos ? xml_.size() : end;
            } else if (xml_.compare(at_, 2, "</") == 0) {
                const std::size_t end = xml_.find('>', at_);
                const std::string name = xml_.substr(at_ + 2, end - at_ - 2);
                if (open.empty() || elements[open.back()].name != name) fail("unmatched </" + name);
                open.pop_back();
                at_ = end + 1;
            } else {
                SvgElement element;
                ++at_;
                element.name = word();
                while (blank()) {}
                while (xml_[at_] != '>' && xml_[at_] != '/') {
                    const std::string key = word();
                    if (xml_[at_++] != '=' || xml_[at_++] != '"') fail("attribute " + key);
                    const std::size_t end = xml_.find('"', at_);
                    if (!element.attributes.emplace(key, resolved(xml_.substr(at_, end - at_))).second) {
                        fail("repeated attribute " + key);
                    }
                    at_ = end + 1;
                    while (blank()) {}
                }
                const bool empty = xml_[at_] == '/';
                at_ += empty ? 2 : 1;
                element.clip = open.empty() ? "" : elements[open.back()].clip;
                if (!element.attribute("clip-path").empty()) element.clip = element.attribute("clip-path");
                if (!open.empty()) elements[open.back()].children.push_back(elements.size());
                elements.push_back(std::move(element));
                if (!empty) open.push_back(elements.size() - 1);
            }
        }
        if (!open.empty()) fail("unclosed <" + elements[open.back()].name + ">");
    }

    // The elements of one name, in document order.
    std::vector<SvgElement> all(const std::string& name) const {
        std::vector<SvgElement> found;
        for (const SvgElement& e : elements) {
            if (e.name == name) found.push_back(e);
        }
        return found;
    }
    // The texts of every text element, in document order.
    std::vector<std::string> texts() const {
        std::vector<std::string> found;
        for (const SvgElement& e : all("text")) found.push_back(e.text);
        return found;
    }

    std::vector<SvgElement> elements;

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("not well-formed at " + std::to_string(at_) + ": " + what);
    }
    bool blank() {
        if (at_ < xml_.size() && (xml_[at_] == ' ' || xml_[at_] == '\n')) {
            ++at_;
            return true;
        }
        return false;
    }
    std::string word() {
        const std::size_t end = xml_.find_first_of(" =/>\n", at_);
        std::string w = xml_.substr(at_, end - at_);
        at_ = end;
        return w;
    }
    std::string resolved(const std::string& raw) const {
        static const std::map<std::string, std::string> kEntities{
            {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
        std::string out;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '<') fail("< in text");
            if (raw[i] != '&') {
                out += raw[i];
                continue;
            }
            const std::size_t end = raw.find(';', i);
            const auto entity = kEntities.find(raw.substr(i + 1, end - i - 1));
            if (end == std::string::npos || entity == kEntities.end()) fail("entity");
            out += entity->second;
            i = end;
        }
        return out;
    }

    const std::string& xml_;
    std::size_t at_ = 0;
};

}  // namespace ventbox::test
