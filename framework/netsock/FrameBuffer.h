// Length-prefixed message framing, in plain standard C++ so that both the
// Windows socket and native tools (servers, fuzzers) share one codec.
//
// A frame is a 4-byte big-endian unsigned length followed by that many bytes
// of message. Frames of length 0 are keep-alives: they are valid on the wire
// and the reader skips them. A length above the limit is an error that stops
// the reader for good. docs/wire-framing.md describes the format.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "NetSockApi.h"

class NETSOCK_API CTsFrameBuffer {
public:
    // Bytes of the length prefix.
    static constexpr std::size_t kHeaderSize = 4;
    // Largest message accepted by default: 4 MiB, the message library's
    // CKelpParser::kMaxMessageSize, so that every message that renders can
    // travel. The one frame limit of the lobby's socket and the tools.
    static constexpr std::size_t kDefaultLimit = 4194304;

    // nLimit: the largest message length accepted (at most 0xFFFFFFFF).
    explicit CTsFrameBuffer(std::size_t nLimit = kDefaultLimit);

    std::size_t GetLimit() const { return m_nLimit; }
    // Bytes held: whole messages not yet taken plus the incomplete tail.
    std::size_t GetSize() const { return m_data.size() - m_nRead; }
    // Bytes Append still takes; never lets the buffer pass limit + header.
    std::size_t GetSpace() const;
    // Number of whole non-empty messages ready to be taken.
    std::size_t GetMessageCount() const { return m_nMessages; }
    // True once a header announced a message longer than the limit.
    bool IsOversized() const { return m_bOversized; }

    // Appends received bytes; returns how many were taken, which is less than
    // nLength when the buffer is full or oversized.
    std::size_t Append(const char* pData, std::size_t nLength);
    // The oldest whole message (not NUL-terminated) and its length, or null
    // when none is ready. Valid until the next non-const call.
    const char* Front(std::size_t& nLength) const;
    // Drops the message Front returned; does nothing when none is ready.
    void PopFront();
    // Forgets all bytes and the oversize error.
    void Clear();

    // Writes the 4-byte prefix for a message of nLength bytes.
    static void EncodeHeader(std::size_t nLength, unsigned char* pHeader);
    // Appends one whole frame for the message to pOut; false (and nothing
    // appended) when nLength is above nLimit.
    static bool Encode(const char* pData, std::size_t nLength, std::vector<char>& out,
                       std::size_t nLimit = kDefaultLimit);
    // Reads a 4-byte prefix.
    static std::size_t DecodeHeader(const char* pHeader);

private:
    void Scan();
    void SkipEmptyFrames();
    void Compact();

    std::size_t m_nLimit;     // largest message length accepted
    std::vector<char> m_data; // received bytes; [m_nRead, size) still unread
    std::size_t m_nRead;      // offset of the oldest unread frame's header
    std::size_t m_nScan;      // offset of the first header not yet checked
    std::size_t m_nMessages;  // whole non-empty frames in [m_nRead, m_nScan)
    bool m_bOversized;        // a header above the limit was seen
};
