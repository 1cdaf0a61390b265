#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <libxml/xmlwriter.h>

namespace zendro::exports {

// libxml2's text writer into memory, indented, UTF-8. Every call checks the
// writer's result and throws ZendroError naming the file.
class XmlWriter {
  public:
    explicit XmlWriter(std::string fileName);

    void startElement(const char* name);
    void attribute(const char* name, std::string_view utf8Value);
    void text(std::string_view utf8Text);
    void endElement();
    // Closes every open element and the document; the bytes written.
    std::string finish();

  private:
    struct FreeBuffer {
        void operator()(xmlBuffer* buffer) const { xmlBufferFree(buffer); }
    };
    struct FreeWriter {
        void operator()(xmlTextWriter* writer) const { xmlFreeTextWriter(writer); }
    };
    void check(int result, std::string_view doing) const;

    std::string fileName_;
    std::unique_ptr<xmlBuffer, FreeBuffer> buffer_;
    std::unique_ptr<xmlTextWriter, FreeWriter> writer_;  // freed before the buffer it writes
};

}  // namespace zendro::exports
