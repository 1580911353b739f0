#include "FrameBuffer.h"

#include <algorithm>

namespace {
// The prefix holds 32 bits; no limit may exceed it or overflow limit + header.
const std::size_t kMaxEncodable = 0xFFFFFFFFu;
// An emptied buffer keeps at most this much storage for the next messages.
const std::size_t kKeptCapacity = 65536;
} // namespace

CTsFrameBuffer::CTsFrameBuffer(std::size_t nLimit)
    : m_nLimit(
          std::min(nLimit, std::min(kMaxEncodable, static_cast<std::size_t>(-1) - kHeaderSize))),
      m_nRead(0), m_nScan(0), m_nMessages(0), m_bOversized(false) {}

// Room left before the buffer would hold more than one largest frame. A full
// buffer always starts with a whole message, so taking messages makes room.
std::size_t CTsFrameBuffer::GetSpace() const {
    if (m_bOversized) {
        return 0;
    }
    return m_nLimit + kHeaderSize - GetSize();
}

// Copies as much of the input as fits, then checks the headers that became
// complete. Returns the number of bytes taken.
std::size_t CTsFrameBuffer::Append(const char* pData, std::size_t nLength) {
    std::size_t nTake = std::min(nLength, GetSpace());
    if (nTake == 0) {
        return 0;
    }
    Compact();
    std::size_t nNeeded = m_data.size() + nTake;
    if (nNeeded > m_data.capacity()) {
        // Grow geometrically, but never reserve past one largest frame.
        m_data.reserve(std::min(std::max(nNeeded, 2 * m_data.capacity()), m_nLimit + kHeaderSize));
    }
    m_data.insert(m_data.end(), pData, pData + nTake);
    Scan();
    return nTake;
}

const char* CTsFrameBuffer::Front(std::size_t& nLength) const {
    if (m_nMessages == 0) {
        nLength = 0;
        return nullptr;
    }
    nLength = DecodeHeader(&m_data[m_nRead]);
    return &m_data[m_nRead + kHeaderSize];
}

void CTsFrameBuffer::PopFront() {
    if (m_nMessages == 0) {
        return;
    }
    m_nRead += kHeaderSize + DecodeHeader(&m_data[m_nRead]);
    --m_nMessages;
    SkipEmptyFrames();
}

void CTsFrameBuffer::Clear() {
    std::vector<char>().swap(m_data);
    m_nRead = m_nScan = m_nMessages = 0;
    m_bOversized = false;
}

void CTsFrameBuffer::EncodeHeader(std::size_t nLength, unsigned char* pHeader) {
    pHeader[0] = static_cast<unsigned char>((nLength >> 24) & 0xFF);
    pHeader[1] = static_cast<unsigned char>((nLength >> 16) & 0xFF);
    pHeader[2] = static_cast<unsigned char>((nLength >> 8) & 0xFF);
    pHeader[3] = static_cast<unsigned char>(nLength & 0xFF);
}

// Appends prefix and message to out. Refuses messages above the limit or
// above what 32 bits can carry, leaving out untouched.
bool CTsFrameBuffer::Encode(const char* pData, std::size_t nLength, std::vector<char>& out,
                            std::size_t nLimit) {
    if (nLength > nLimit || nLength > kMaxEncodable) {
        return false;
    }
    unsigned char header[kHeaderSize];
    EncodeHeader(nLength, header);
    out.reserve(out.size() + kHeaderSize + nLength);
    out.insert(out.end(), header, header + kHeaderSize);
    if (nLength > 0) {
        out.insert(out.end(), pData, pData + nLength);
    }
    return true;
}

std::size_t CTsFrameBuffer::DecodeHeader(const char* pHeader) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pHeader);
    return (static_cast<std::size_t>(p[0]) << 24) | (static_cast<std::size_t>(p[1]) << 16) |
           (static_cast<std::size_t>(p[2]) << 8) | static_cast<std::size_t>(p[3]);
}

// Walks the frames that arrived completely since the last scan, counting the
// non-empty ones. A header above the limit marks the buffer oversized and
// drops every byte from that header on.
void CTsFrameBuffer::Scan() {
    while (m_data.size() - m_nScan >= kHeaderSize) {
        std::size_t nLength = DecodeHeader(&m_data[m_nScan]);
        if (nLength > m_nLimit) {
            m_bOversized = true;
            m_data.resize(m_nScan);
            break;
        }
        if (m_data.size() - m_nScan - kHeaderSize < nLength) {
            break;
        }
        m_nScan += kHeaderSize + nLength;
        if (nLength > 0) {
            ++m_nMessages;
        }
    }
    SkipEmptyFrames();
}

// Steps over whole keep-alive frames at the front so that Front always points
// at a message, and forgets the bytes once everything has been read.
void CTsFrameBuffer::SkipEmptyFrames() {
    while (m_nRead < m_nScan && DecodeHeader(&m_data[m_nRead]) == 0) {
        m_nRead += kHeaderSize;
    }
    if (m_nRead == m_data.size()) {
        if (m_data.capacity() > kKeptCapacity) {
            std::vector<char>().swap(m_data);
        }
        m_data.clear();
        m_nRead = m_nScan = 0;
    }
}

// Moves the unread bytes to the start so that the vector never holds more
// than limit + header bytes.
void CTsFrameBuffer::Compact() {
    if (m_nRead == 0) {
        return;
    }
    m_data.erase(m_data.begin(), m_data.begin() + static_cast<std::ptrdiff_t>(m_nRead));
    m_nScan -= m_nRead;
    m_nRead = 0;
}
