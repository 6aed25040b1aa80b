#pragma once
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "framework/Stream.h"

namespace qv {

// The library's error manager: a fatal error jumps back to the decoder or
// encoder that set `jump`, keeping the library's message; warnings
// (a stream that ends early, say) are not printed.
struct JpegError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};

    void attach(jpeg_common_struct* cinfo);
};

// Lets the library read a JPEG stream straight out of one of our streams,
// starting at an offset and stopping after `length` bytes (0 = to the end).
// A memory stream is read in place; a file through a buffer. A stream that
// ends early is ended with an end-of-image marker, as the library suggests,
// so a cut-short picture decodes with grey at the bottom instead of failing.
struct JpegSource {
    jpeg_source_mgr pub;
    fw::Stream* stream = nullptr;
    uint64_t left = 0;  // bytes of the JPEG stream not yet handed to the library
    std::vector<uint8_t> buffer;

    JpegSource(fw::Stream& s, uint64_t offset, uint64_t length);
    void attach(j_decompress_ptr cinfo) { cinfo->src = &pub; }
    bool ok() const { return m_ok; }

private:
    bool m_ok = true;
};

// Lets the library write a JPEG stream into one of our streams at an offset
// (a memory stream grows as needed). Counts the bytes written.
struct JpegDestination {
    jpeg_destination_mgr pub;
    fw::Stream* stream = nullptr;
    uint64_t written = 0;
    std::vector<uint8_t> buffer;

    JpegDestination(fw::Stream& s, uint64_t offset);
    void attach(j_compress_ptr cinfo) { cinfo->dest = &pub; }
    bool ok() const { return m_ok; }

private:
    bool m_ok = true;
};

}  // namespace qv
