#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <libxml/xmlwriter.h>

namespace zendro::exports {

// libxml2's text writer into a string of UTF-8, not indented (a large export
// writes millions of elements). Every call checks the writer's result and
// throws ZendroError naming the file.
class XmlWriter {
  public:
    // `expectedBytes` is room taken at once: a large file is not copied as
    // it grows.
    XmlWriter(std::string fileName, std::size_t expectedBytes);
    // The output holds the address of bytes_: the writer stays where it is.
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;

    // Values are NUL-terminated UTF-8 handed straight to libxml2: a large
    // file writes millions of them, so none is copied on the way.
    void startElement(const char* name);
    void attribute(const char* name, const char* utf8Value);
    void attribute(const char* name, const std::string& utf8Value) {
        attribute(name, utf8Value.c_str());
    }
    void text(const char* utf8Text);
    void text(const std::string& utf8Text) { text(utf8Text.c_str()); }
    void endElement();
    // Closes every open element and the document; the bytes written.
    std::string finish();

  private:
    struct FreeWriter {
        void operator()(xmlTextWriter* writer) const { xmlFreeTextWriter(writer); }
    };
    void check(int result, std::string_view doing) const;

    std::string fileName_;
    std::string bytes_;  // what libxml2's output has flushed so far
    std::unique_ptr<xmlTextWriter, FreeWriter> writer_;  // owns the output writing to bytes_
};

}  // namespace zendro::exports
