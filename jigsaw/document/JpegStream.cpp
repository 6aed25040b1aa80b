#include "jigsaw/document/JpegStream.h"

#include <algorithm>

#include <jerror.h>

#include "framework/Stream.h"

namespace qv {

namespace {

constexpr size_t kBufferSize = 64 * 1024;
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void errorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void silent(j_common_ptr) {}

JpegSource* sourceOf(j_decompress_ptr cinfo) { return reinterpret_cast<JpegSource*>(cinfo->src); }

void initSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr cinfo)
{
    JpegSource* src = sourceOf(cinfo);
    size_t got = 0;
    if (src->left && !src->buffer.empty()) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(src->left, src->buffer.size()));
        got = src->stream->read(src->buffer.data(), want);
        src->left -= got;
        if (got < want)
            src->left = 0;
    }
    if (got == 0) {
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->pub.next_input_byte = kEndOfImage;
        src->pub.bytes_in_buffer = 2;
        return TRUE;
    }
    src->pub.next_input_byte = src->buffer.data();
    src->pub.bytes_in_buffer = got;
    return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count)
{
    JpegSource* src = sourceOf(cinfo);
    while (count > 0) {
        if (src->pub.bytes_in_buffer == 0)
            fillInput(cinfo);
        size_t n = std::min<size_t>(static_cast<size_t>(count), src->pub.bytes_in_buffer);
        src->pub.next_input_byte += n;
        src->pub.bytes_in_buffer -= n;
        count -= static_cast<long>(n);
    }
}

void termSource(j_decompress_ptr) {}

JpegDestination* destinationOf(j_compress_ptr cinfo) { return reinterpret_cast<JpegDestination*>(cinfo->dest); }

void initDestination(j_compress_ptr cinfo)
{
    JpegDestination* dst = destinationOf(cinfo);
    dst->pub.next_output_byte = dst->buffer.data();
    dst->pub.free_in_buffer = dst->buffer.size();
}

bool flush(JpegDestination* dst, size_t count)
{
    if (count == 0)
        return true;
    size_t n = dst->stream->write(dst->buffer.data(), count);
    dst->written += n;
    return n == count;
}

boolean emptyOutput(j_compress_ptr cinfo)
{
    JpegDestination* dst = destinationOf(cinfo);
    if (!flush(dst, dst->buffer.size()))
        ERREXIT(cinfo, JERR_FILE_WRITE);
    initDestination(cinfo);
    return TRUE;
}

void termDestination(j_compress_ptr cinfo)
{
    JpegDestination* dst = destinationOf(cinfo);
    if (!flush(dst, dst->buffer.size() - dst->pub.free_in_buffer))
        ERREXIT(cinfo, JERR_FILE_WRITE);
}

}  // namespace

void JpegError::attach(jpeg_common_struct* cinfo)
{
    cinfo->err = jpeg_std_error(&pub);
    pub.error_exit = errorExit;
    pub.output_message = silent;
}

JpegSource::JpegSource(fw::Stream& s, uint64_t offset, uint64_t length) : stream(&s)
{
    pub = {};
    pub.init_source = initSource;
    pub.fill_input_buffer = fillInput;
    pub.skip_input_data = skipInput;
    pub.resync_to_restart = jpeg_resync_to_restart;
    pub.term_source = termSource;
    uint64_t size = s.size();
    if (offset > size) {
        m_ok = false;
        return;
    }
    left = size - offset;
    if (length && length < left)
        left = length;
    if (auto* mem = dynamic_cast<fw::MemoryStream*>(&s)) {
        // Already in memory: hand the library the bytes themselves.
        pub.next_input_byte = mem->bytes().data() + offset;
        pub.bytes_in_buffer = static_cast<size_t>(left);
        left = 0;
        return;
    }
    m_ok = s.seek(offset);
    buffer.resize(kBufferSize);
}

JpegDestination::JpegDestination(fw::Stream& s, uint64_t offset) : stream(&s)
{
    pub = {};
    pub.init_destination = initDestination;
    pub.empty_output_buffer = emptyOutput;
    pub.term_destination = termDestination;
    m_ok = s.seek(offset);
    buffer.resize(kBufferSize);
}

}  // namespace qv
