// The frame codec: encoding, reassembly across arbitrary splits, keep-alive
// frames, the size limit and the bound on buffered bytes.
#include "FrameBuffer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<char> Frame(const std::string& message,
                        std::size_t nLimit = CTsFrameBuffer::kDefaultLimit) {
    std::vector<char> out;
    EXPECT_TRUE(CTsFrameBuffer::Encode(message.data(), message.size(), out, nLimit));
    return out;
}

std::vector<char> Join(const std::vector<std::string>& messages,
                       std::size_t nLimit = CTsFrameBuffer::kDefaultLimit) {
    std::vector<char> out;
    for (const std::string& message : messages) {
        EXPECT_TRUE(CTsFrameBuffer::Encode(message.data(), message.size(), out, nLimit));
    }
    return out;
}

// Takes every whole message out of the buffer, oldest first.
std::vector<std::string> Drain(CTsFrameBuffer& buffer) {
    std::vector<std::string> messages;
    std::size_t nLength = 0;
    while (const char* p = buffer.Front(nLength)) {
        messages.emplace_back(p, nLength);
        buffer.PopFront();
    }
    EXPECT_EQ(0u, buffer.GetMessageCount());
    return messages;
}

TEST(FrameCodec, EncodesBigEndianLengthThenBytes) {
    std::vector<char> out = Frame("Hi");
    ASSERT_EQ(6u, out.size());
    EXPECT_EQ(std::string("\0\0\0\x02Hi", 6), std::string(out.begin(), out.end()));

    unsigned char header[4];
    CTsFrameBuffer::EncodeHeader(0x01020304, header);
    EXPECT_EQ(1, header[0]);
    EXPECT_EQ(2, header[1]);
    EXPECT_EQ(3, header[2]);
    EXPECT_EQ(4, header[3]);
    EXPECT_EQ(0x01020304u, CTsFrameBuffer::DecodeHeader(reinterpret_cast<char*>(header)));
    EXPECT_EQ(0xFFFFFFFFu, CTsFrameBuffer::DecodeHeader("\xFF\xFF\xFF\xFF"));

    // An empty frame is just a zero prefix.
    std::vector<char> empty = Frame("");
    EXPECT_EQ(std::string(4, '\0'), std::string(empty.begin(), empty.end()));
}

TEST(FrameCodec, EncodeRefusesMessagesAboveTheLimit) {
    std::vector<char> out(3, 'x');
    std::string message(11, 'm');
    EXPECT_FALSE(CTsFrameBuffer::Encode(message.data(), message.size(), out, 10));
    EXPECT_EQ(3u, out.size());
    EXPECT_TRUE(CTsFrameBuffer::Encode(message.data(), 10, out, 10));
    EXPECT_EQ(3u + 4u + 10u, out.size());
}

TEST(FrameBuffer, ByteByByteFeedingYieldsEachMessageOnlyWhenComplete) {
    std::vector<std::string> sent = {"first", std::string("bin\0ary", 7), "x"};
    std::vector<char> stream = Join(sent);
    CTsFrameBuffer buffer;
    std::size_t nEnd = 0; // offset where the next expected message ends
    std::size_t nNext = 0;
    for (std::size_t i = 0; i < stream.size(); ++i) {
        if (nNext < sent.size() && nEnd <= i) {
            nEnd += 4 + sent[nNext].size();
        }
        std::size_t nLength = 0;
        EXPECT_EQ(nullptr, buffer.Front(nLength)) << "message too early at byte " << i;
        ASSERT_EQ(1u, buffer.Append(&stream[i], 1));
        if (i + 1 == nEnd) {
            std::vector<std::string> one = Drain(buffer);
            ASSERT_EQ(1u, one.size()) << "at byte " << i;
            EXPECT_EQ(sent[nNext], one[0]);
            ++nNext;
        }
    }
    EXPECT_EQ(sent.size(), nNext);
    EXPECT_EQ(0u, buffer.GetSize());
}

TEST(FrameBuffer, CoalescedFramesComeOutInOrder) {
    std::vector<std::string> sent = {"one", "two", "three"};
    std::vector<char> stream = Join(sent);
    const char tail[] = "\0\0\0\x05pa";
    stream.insert(stream.end(), tail, tail + 6);
    CTsFrameBuffer buffer;
    EXPECT_EQ(stream.size(), buffer.Append(stream.data(), stream.size()));
    EXPECT_EQ(3u, buffer.GetMessageCount());
    EXPECT_EQ(sent, Drain(buffer));
    // The partial fourth frame waits for its rest.
    EXPECT_EQ(6u, buffer.GetSize());
    EXPECT_EQ(3u, buffer.Append("rts", 3));
    EXPECT_EQ(std::vector<std::string>{"parts"}, Drain(buffer));
}

TEST(FrameBuffer, EmptyFramesAreSkipped) {
    std::vector<char> stream = Join({"", "a", "", "", "b", ""});
    CTsFrameBuffer buffer;
    buffer.Append(stream.data(), stream.size());
    EXPECT_EQ(2u, buffer.GetMessageCount());
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), Drain(buffer));
    EXPECT_EQ(0u, buffer.GetSize());
}

TEST(FrameBuffer, OversizedHeaderStopsTheBufferButKeepsEarlierMessages) {
    CTsFrameBuffer buffer(10);
    std::vector<char> stream = Join({"ok"}, 10);
    const char bad[] = "\0\0\0\x0Bjunk";
    stream.insert(stream.end(), bad, bad + 8);
    buffer.Append(stream.data(), stream.size());
    EXPECT_TRUE(buffer.IsOversized());
    EXPECT_EQ(0u, buffer.GetSpace());
    EXPECT_EQ(0u, buffer.Append("more", 4));
    EXPECT_EQ(std::vector<std::string>{"ok"}, Drain(buffer));
    EXPECT_EQ(0u, buffer.GetSize());

    buffer.Clear();
    EXPECT_FALSE(buffer.IsOversized());
    stream = Frame("again", 10);
    EXPECT_EQ(stream.size(), buffer.Append(stream.data(), stream.size()));
    EXPECT_EQ(std::vector<std::string>{"again"}, Drain(buffer));
}

TEST(FrameBuffer, OversizeIsSeenFromTheHeaderAloneAndAtAnySplit) {
    // The largest possible announcement, in pieces: no memory is reserved for it.
    CTsFrameBuffer buffer;
    EXPECT_EQ(2u, buffer.Append("\xFF\xFF", 2));
    EXPECT_FALSE(buffer.IsOversized());
    EXPECT_EQ(2u, buffer.Append("\xFF\xFF", 2));
    EXPECT_TRUE(buffer.IsOversized());
    EXPECT_EQ(0u, buffer.GetSize());

    // Limit + 1 on the default limit.
    CTsFrameBuffer exact;
    unsigned char header[4];
    CTsFrameBuffer::EncodeHeader(CTsFrameBuffer::kDefaultLimit + 1, header);
    exact.Append(reinterpret_cast<char*>(header), 4);
    EXPECT_TRUE(exact.IsOversized());
}

TEST(FrameBuffer, MessageOfExactlyTheLimitFillsTheBuffer) {
    const std::size_t nLimit = CTsFrameBuffer::kDefaultLimit;
    std::string message(nLimit, 'L');
    message.front() = '<';
    message.back() = '>';
    std::vector<char> stream = Frame(message);
    CTsFrameBuffer buffer;
    EXPECT_EQ(nLimit + 4, buffer.GetSpace());
    EXPECT_EQ(stream.size(), buffer.Append(stream.data(), stream.size()));
    EXPECT_FALSE(buffer.IsOversized());
    EXPECT_EQ(0u, buffer.GetSpace());
    EXPECT_EQ(0u, buffer.Append("x", 1));
    std::size_t nLength = 0;
    const char* p = buffer.Front(nLength);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(message, std::string(p, nLength));
    buffer.PopFront();
    EXPECT_EQ(nLimit + 4, buffer.GetSpace());
}

TEST(FrameBuffer, NeverHoldsMoreThanLimitPlusHeader) {
    const std::size_t nLimit = 64;
    std::vector<std::string> sent;
    for (int i = 0; i < 40; ++i) {
        sent.push_back(
            std::string(static_cast<std::size_t>(i % 7 + 1), static_cast<char>('a' + i % 26)));
    }
    std::vector<char> stream = Join(sent, nLimit);
    CTsFrameBuffer buffer(nLimit);
    std::size_t nFed = 0;
    std::vector<std::string> got;
    while (nFed < stream.size()) {
        nFed += buffer.Append(&stream[nFed], stream.size() - nFed);
        EXPECT_LE(buffer.GetSize(), nLimit + 4);
        // A full buffer always has a whole message to hand out.
        ASSERT_GT(buffer.GetMessageCount(), 0u);
        std::size_t nLength = 0;
        const char* p = buffer.Front(nLength);
        got.emplace_back(p, nLength);
        buffer.PopFront();
    }
    std::vector<std::string> rest = Drain(buffer);
    got.insert(got.end(), rest.begin(), rest.end());
    EXPECT_EQ(sent, got);
}

TEST(FrameBuffer, RandomSplitsReassembleTheSameMessages) {
    const std::size_t nLimit = 300;
    std::mt19937 random(20240611u);
    for (int round = 0; round < 50; ++round) {
        std::vector<std::string> sent;
        std::vector<std::string> expected;
        for (int i = 0; i < 60; ++i) {
            std::size_t nLength = random() % (nLimit + 1);
            if (random() % 8 == 0) {
                nLength = random() % 2 == 0 ? 0 : nLimit;
            }
            std::string message(nLength, '\0');
            for (char& c : message) {
                c = static_cast<char>(random() & 0xFF);
            }
            sent.push_back(message);
            if (nLength > 0) {
                expected.push_back(message);
            }
        }
        std::vector<char> stream = Join(sent, nLimit);
        CTsFrameBuffer buffer(nLimit);
        std::vector<std::string> got;
        std::size_t nFed = 0;
        while (nFed < stream.size()) {
            std::size_t nChunk = std::min<std::size_t>(random() % 700 + 1, stream.size() - nFed);
            nFed += buffer.Append(&stream[nFed], nChunk);
            ASSERT_FALSE(buffer.IsOversized());
            ASSERT_LE(buffer.GetSize(), nLimit + 4);
            // Take a random number of the ready messages; all when the buffer is full.
            std::size_t nTake = buffer.GetSpace() == 0 ? buffer.GetMessageCount()
                                                       : random() % (buffer.GetMessageCount() + 1);
            for (std::size_t i = 0; i < nTake; ++i) {
                std::size_t nLength = 0;
                const char* p = buffer.Front(nLength);
                ASSERT_NE(nullptr, p);
                got.emplace_back(p, nLength);
                buffer.PopFront();
            }
        }
        std::vector<std::string> rest = Drain(buffer);
        got.insert(got.end(), rest.begin(), rest.end());
        ASSERT_EQ(expected, got) << "round " << round;
        EXPECT_EQ(0u, buffer.GetSize());
    }
}

} // namespace
