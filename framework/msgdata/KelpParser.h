// CKelpParser builds and reads the messages that the lobby programs exchange:
// a header (service, command, target, mode, IP address, port, encrypted flag)
// and a list of keyed values, with an optional block of raw data. The text
// format is described in docs/protocol.md.
//
// This is the chief header of msgdata: it also brings the protocol names
// (G::key..., G::service..., G::command..., G::value...) and the encoded
// value classes.
//
// Every operation returns an int that is non-zero for success. Texts handed
// out (GetService, GetValue, GetURL, ...) belong to the parser.
#pragma once

#include "EncodeToWeb.h"
#include "EncodeValue.h"
#include "MsgDataApi.h"
#include "ProtocolKeys.h"

class MSGDATA_API CKelpParser {
public:
    enum : int {
        // Largest message text the reading constructor accepts and GetURL
        // renders, in bytes.
        kMaxMessageSize = 4 * 1024 * 1024,
        // Largest number of keyed values in one message.
        kMaxItemCount = 262144
    };

    // Reads a received message of length bytes; with length 0, text is
    // NUL-terminated. The parser is valid only when the whole text is one
    // well-formed message within the limits above. key: this library carries
    // no cipher; the argument is accepted for callers that pass one and is
    // neither stored nor used (pass null). The header's encrypted flag is
    // reported by IsEncrypted as the sender set it.
    CKelpParser(const char* text, int length, const char* key);

    // Starts a new message with the given header and no values. Null texts
    // count as empty texts. The new parser is always valid.
    CKelpParser(const char* service, const char* command, const char* target, int mode,
                const char* ipAddress, unsigned short port);

    ~CKelpParser();

    CKelpParser(const CKelpParser&) = delete;
    CKelpParser& operator=(const CKelpParser&) = delete;

    int IsValid() const;

    // Header. Texts are never null: an absent text reads as "". They stay
    // valid and unchanged as long as the parser lives.
    int IsEncrypted() const;
    const char* GetService() const;
    const char* GetCommand() const;
    const char* GetTarget() const;
    const char* GetIPAddress() const;
    int GetMode() const;
    unsigned short GetPort() const;
    int GetItemCount() const;
    // Sets the header's encrypted flag (non-zero: set). Nothing is encrypted.
    int SetEncrypted(int encrypted);

    // Appends one keyed value. Numbers are stored as their decimal text,
    // doubles as their shortest exact text. A key that is already present
    // gets a second entry; GetValue finds the first. Fails for a null or
    // empty key, on an invalid parser and beyond kMaxItemCount values.
    int AddValue(const char* key, int value);
    int AddValue(const char* key, unsigned int value);
    int AddValue(const char* key, long long value);
    int AddValue(const char* key, unsigned long long value);
    int AddValue(const char* key, unsigned short value);
    int AddValue(const char* key, double value);
    // length 0: up to the NUL. The text may hold any bytes, NULs included
    // when length says so.
    int AddValue(const char* key, const char* text, int length = 0);

    // DelKey (every entry of key), then AddValue; returns AddValue's result.
    int SetValue(const char* key, int value);
    int SetValue(const char* key, unsigned int value);
    int SetValue(const char* key, long long value);
    int SetValue(const char* key, unsigned long long value);
    int SetValue(const char* key, unsigned short value);
    int SetValue(const char* key, double value);
    int SetValue(const char* key, const char* text, int length = 0);

    // Removes every entry of key; fails when there was none.
    int DelKey(const char* key);

    // The data block: AddData appends size bytes to it, DelData removes it
    // (fails when there was none), SetData is DelData then AddData.
    int AddData(const void* block, int size);
    int SetData(const void* block, int size);
    int DelData();
    // The data block and its size; fails when the message has none. The
    // block stays valid until the data block changes or the parser dies.
    int GetData(char*& block, int& size) const;

    // Reads the first entry of key. A number reads only when the whole value
    // is one decimal number in the type's range (see docs/protocol.md). On
    // failure (missing key, not such a number, invalid parser) the outputs
    // are left as they were.
    int GetValue(const char* key, int& value) const;
    int GetValue(const char* key, unsigned int& value) const;
    int GetValue(const char* key, long long& value) const;
    int GetValue(const char* key, unsigned long long& value) const;
    int GetValue(const char* key, unsigned short& value) const;
    int GetValue(const char* key, double& value) const;
    // Any value reads as text: its bytes, followed by a NUL that is not
    // counted in length. Valid and unchanged as long as the parser and the
    // entry live: adding values and removing other keys never move it; only
    // DelKey or SetValue of its own key ends it.
    int GetValue(const char* key, char*& text, int& length) const;

    // Renders the whole message. The text (NUL-terminated; length without
    // the NUL) stays valid until the parser changes or dies. Fails on an
    // invalid parser and when the text would exceed kMaxMessageSize.
    int GetURL(char*& text, int& length) const;

private:
    struct Impl;
    Impl* m_pImpl; // header, values, data block and rendering cache
};
