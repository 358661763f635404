#include "core/ArchiveReader.h"

#include "core/ArchiveTags.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {
constexpr qsizetype kBufferSize = 64 * 1024;
// Longer class names are not ones this program writes.
constexpr std::uint16_t kMaxClassNameLength = 64;
} // namespace

CArchiveReader::CArchiveReader(QIODevice& device)
    : m_device(device)
{
    m_remaining = std::max<std::int64_t>(0, device.size() - device.pos());
}

std::uint16_t CArchiveReader::ReadCount()
{
    return ReadUInt16();
}

QByteArray CArchiveReader::ReadString()
{
    std::uint64_t length = ReadByte();
    if (length == 0xFF) {
        length = ReadUInt16();
        if (length == ArchiveTags::kUnicodeMarker) {
            // UTF-16 strings are never written by this program.
            Fail(Error::BadFormat);
        } else if (length == 0xFFFF) {
            length = ReadUInt32();
        }
    }
    if (Failed()) {
        return {};
    }
    if (static_cast<std::int64_t>(length) > m_remaining) {
        Fail(Error::EndOfFile);
        return {};
    }
    QByteArray text(static_cast<qsizetype>(length), Qt::Uninitialized);
    if (!ReadRaw(text.data(), text.size())) {
        return {};
    }
    return text;
}

std::uint8_t CArchiveReader::ReadByte()
{
    char value = 0;
    ReadRaw(&value, 1);
    return static_cast<std::uint8_t>(value);
}

std::int32_t CArchiveReader::ReadInt32()
{
    return static_cast<std::int32_t>(ReadUInt32());
}

double CArchiveReader::ReadDouble()
{
    std::uint64_t bits = 0;
    if (!ReadRaw(reinterpret_cast<char*>(&bits), sizeof bits)) {
        return 0.0;
    }
    bits = qFromLittleEndian(bits);
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool CArchiveReader::ReadObjectTag(const char* className, std::uint16_t schema)
{
    const std::uint16_t tag = ReadUInt16();
    if (Failed()) {
        return false;
    }
    if (tag == ArchiveTags::kNewClassTag) {
        const std::uint16_t storedSchema = ReadUInt16();
        const std::uint16_t nameLength = ReadUInt16();
        if (Failed()) {
            return false;
        }
        if (nameLength > kMaxClassNameLength) {
            Fail(Error::BadClass);
            return false;
        }
        QByteArray name(nameLength, Qt::Uninitialized);
        if (!ReadRaw(name.data(), nameLength)) {
            return false;
        }
        if (name != className) {
            Fail(Error::BadClass);
            return false;
        }
        if (storedSchema != schema) {
            Fail(Error::BadSchema);
            return false;
        }
        m_classes.emplace_back(m_nMapCount++, name);
    } else if (tag == ArchiveTags::kBigObjectTag) {
        const std::uint32_t bigTag = ReadUInt32();
        if (Failed()) {
            return false;
        }
        // Without the class bit the tag refers back to an earlier object, which a list of
        // distinct entries never does.
        if ((bigTag & ArchiveTags::kBigClassTag) == 0 ||
            !AcceptClassIndex(bigTag & ~ArchiveTags::kBigClassTag, className)) {
            Fail(Error::BadFormat);
            return false;
        }
    } else if ((tag & ArchiveTags::kClassTag) != 0) {
        if (!AcceptClassIndex(tag & ~ArchiveTags::kClassTag, className)) {
            Fail(Error::BadFormat);
            return false;
        }
    } else {
        // An empty reference or a reference to an earlier object.
        Fail(Error::BadFormat);
        return false;
    }
    ++m_nMapCount; // the object itself takes the next index
    return true;
}

QString CArchiveReader::ErrorText() const
{
    switch (m_error) {
    case Error::None:
        return {};
    case Error::EndOfFile:
        return QStringLiteral("Unexpected end of file.");
    case Error::BadFormat:
        return QStringLiteral("Unexpected file format.");
    case Error::BadClass:
        return QStringLiteral("Unexpected file format: the file holds data of an unknown kind.");
    case Error::BadSchema:
        return QStringLiteral(
            "Unexpected file format: the file was written by an unknown version.");
    case Error::Device:
        return QStringLiteral("The file could not be read: %1").arg(m_deviceError);
    }
    return {};
}

std::uint16_t CArchiveReader::ReadUInt16()
{
    std::uint16_t value = 0;
    if (!ReadRaw(reinterpret_cast<char*>(&value), sizeof value)) {
        return 0;
    }
    return qFromLittleEndian(value);
}

std::uint32_t CArchiveReader::ReadUInt32()
{
    std::uint32_t value = 0;
    if (!ReadRaw(reinterpret_cast<char*>(&value), sizeof value)) {
        return 0;
    }
    return qFromLittleEndian(value);
}

bool CArchiveReader::ReadRaw(char* target, std::int64_t size)
{
    if (Failed()) {
        return false;
    }
    if (size > m_remaining) {
        Fail(Error::EndOfFile);
        return false;
    }
    while (size > 0) {
        if (m_bufferPos == m_buffer.size()) {
            if (size >= kBufferSize) {
                // Large texts go straight from the device into their own storage.
                const qint64 got = m_device.read(target, size);
                if (got != size) {
                    Fail(got < 0 ? Error::Device : Error::EndOfFile);
                    return false;
                }
                m_remaining -= size;
                return true;
            }
            if (!Fill()) {
                return false;
            }
        }
        const auto chunk =
            static_cast<qsizetype>(std::min<std::int64_t>(size, m_buffer.size() - m_bufferPos));
        std::memcpy(target, m_buffer.constData() + m_bufferPos, static_cast<std::size_t>(chunk));
        m_bufferPos += chunk;
        target += chunk;
        size -= chunk;
        m_remaining -= chunk;
    }
    return true;
}

bool CArchiveReader::Fill()
{
    m_buffer.resize(kBufferSize);
    const qint64 got = m_device.read(m_buffer.data(), kBufferSize);
    if (got <= 0) {
        m_buffer.clear();
        m_bufferPos = 0;
        Fail(got < 0 ? Error::Device : Error::EndOfFile);
        return false;
    }
    m_buffer.resize(static_cast<qsizetype>(got));
    m_bufferPos = 0;
    return true;
}

bool CArchiveReader::AcceptClassIndex(std::uint32_t index, const char* className)
{
    return std::any_of(m_classes.begin(), m_classes.end(), [&](const auto& stored) {
        return stored.first == index && stored.second == className;
    });
}

void CArchiveReader::Fail(Error error)
{
    if (m_error == Error::None) {
        m_error = error;
        if (error == Error::Device) {
            m_deviceError = m_device.errorString();
        }
    }
}
