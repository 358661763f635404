#include "core/ArchiveWriter.h"

#include "core/ArchiveTags.h"
#include "core/SaveFile.h"

#include <QtEndian>

#include <cstring>

namespace {
constexpr qsizetype kBufferSize = 64 * 1024;
}

CArchiveWriter::CArchiveWriter(QIODevice& device)
    : m_device(device)
{
    m_buffer.reserve(kBufferSize);
}

void CArchiveWriter::WriteCount(std::uint16_t count)
{
    WriteUInt16(count);
}

void CArchiveWriter::WriteString(QByteArrayView text)
{
    const auto length = static_cast<std::uint64_t>(text.size());
    if (length < ArchiveTags::kByteLengthLimit) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < ArchiveTags::kUnicodeMarker) {
        WriteByte(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    Append(text.data(), text.size());
}

void CArchiveWriter::WriteByte(std::uint8_t value)
{
    Append(&value, 1);
}

void CArchiveWriter::WriteInt32(std::int32_t value)
{
    WriteUInt32(static_cast<std::uint32_t>(value));
}

void CArchiveWriter::WriteDouble(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    bits = qToLittleEndian(bits);
    Append(&bits, sizeof bits);
}

void CArchiveWriter::WriteObjectTag(const char* className, std::uint16_t schema)
{
    const auto known = m_classIndex.find(className);
    if (known == m_classIndex.end()) {
        WriteUInt16(ArchiveTags::kNewClassTag);
        WriteUInt16(schema);
        const auto nameLength = static_cast<std::uint16_t>(std::strlen(className));
        WriteUInt16(nameLength);
        Append(className, nameLength);
        m_classIndex.emplace(className, m_nMapCount++);
    } else if (known->second < ArchiveTags::kBigObjectTag) {
        WriteUInt16(static_cast<std::uint16_t>(ArchiveTags::kClassTag | known->second));
    } else {
        WriteUInt16(ArchiveTags::kBigObjectTag);
        WriteUInt32(ArchiveTags::kBigClassTag | known->second);
    }
    ++m_nMapCount; // the object itself takes the next index
}

bool CArchiveWriter::Flush()
{
    if (!m_bFailed && !SaveFile::WriteAll(m_device, m_buffer)) {
        m_bFailed = true;
    }
    m_buffer.clear();
    return !m_bFailed;
}

void CArchiveWriter::WriteUInt16(std::uint16_t value)
{
    value = qToLittleEndian(value);
    Append(&value, sizeof value);
}

void CArchiveWriter::WriteUInt32(std::uint32_t value)
{
    value = qToLittleEndian(value);
    Append(&value, sizeof value);
}

void CArchiveWriter::Append(const void* data, qsizetype size)
{
    m_buffer.append(static_cast<const char*>(data), size);
    if (m_buffer.size() >= kBufferSize) {
        Flush();
    }
}
