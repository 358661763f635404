#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <cstdint>
#include <vector>

// Reads the archive encoding from a file the user chose, so it trusts nothing in it: every length
// is checked against the bytes left before anything is allocated, and the first fault stops
// reading for good. After a fault every read returns an empty value; callers check Failed() once
// an object is complete.
class CArchiveReader {
public:
    enum class Error { None, EndOfFile, BadFormat, BadClass, BadSchema, Device };

    // The device must be open and random-access (a file or a buffer): its size bounds the reads.
    explicit CArchiveReader(QIODevice& device);
    CArchiveReader(const CArchiveReader&) = delete;
    CArchiveReader& operator=(const CArchiveReader&) = delete;

    std::uint16_t ReadCount();
    QByteArray ReadString();
    std::uint8_t ReadByte();
    std::int32_t ReadInt32();
    double ReadDouble();
    // Reads the tag in front of an object and checks that it introduces an object of the given
    // class and schema.
    bool ReadObjectTag(const char* className, std::uint16_t schema);

    bool Failed() const { return m_error != Error::None; }
    Error GetError() const { return m_error; }
    QString ErrorText() const;
    std::int64_t Remaining() const { return m_remaining; }

private:
    std::uint16_t ReadUInt16();
    std::uint32_t ReadUInt32();
    bool ReadRaw(char* target, std::int64_t size);
    bool Fill();
    bool AcceptClassIndex(std::uint32_t index, const char* className);
    void Fail(Error error);

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_bufferPos = 0;
    std::int64_t m_remaining = 0;
    // Index in the file's numbering of each class met so far (objects take indexes too).
    std::vector<std::pair<std::uint32_t, QByteArray>> m_classes;
    std::uint32_t m_nMapCount = 1;
    Error m_error = Error::None;
    QString m_deviceError;
};
