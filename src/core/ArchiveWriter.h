#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

#include <cstdint>
#include <map>
#include <string>

// Writes the little-endian archive encoding shared by documents and the TLD file: counts, strings
// with their length prefix, fixed-size numbers and object tags with the class header the first
// time a class appears.
class CArchiveWriter {
public:
    explicit CArchiveWriter(QIODevice& device);
    CArchiveWriter(const CArchiveWriter&) = delete;
    CArchiveWriter& operator=(const CArchiveWriter&) = delete;

    void WriteCount(std::uint16_t count);
    void WriteString(QByteArrayView text);
    void WriteByte(std::uint8_t value);
    void WriteInt32(std::int32_t value);
    void WriteDouble(double value);
    // The tag that precedes an object of the class: its class header the first time, a
    // reference to the class afterwards.
    void WriteObjectTag(const char* className, std::uint16_t schema);

    // Hands what is buffered to the device; false when the device refused any of it.
    bool Flush();
    bool Failed() const { return m_bFailed; }

private:
    void WriteUInt16(std::uint16_t value);
    void WriteUInt32(std::uint32_t value);
    void Append(const void* data, qsizetype size);

    QIODevice& m_device;
    QByteArray m_buffer;
    std::map<std::string, std::uint32_t> m_classIndex;
    std::uint32_t m_nMapCount = 1; // index 0 stands for an empty object reference
    bool m_bFailed = false;
};
