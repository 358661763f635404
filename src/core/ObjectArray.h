#pragma once

#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

// A 16-bit count followed by that many objects of one class: the body of both the document file
// and the TLD file.
namespace ObjectArray {

inline constexpr std::size_t kMaxCount = std::numeric_limits<std::uint16_t>::max();

// Writes every object of the range; callers make sure it holds at most kMaxCount.
template <typename Range>
void Write(CArchiveWriter& archive, const Range& objects)
{
    archive.WriteCount(static_cast<std::uint16_t>(std::size(objects)));
    for (const auto& object : objects) {
        archive.WriteObjectTag(std::remove_cvref_t<decltype(*object)>::kClassName,
                               std::remove_cvref_t<decltype(*object)>::kSchema);
        object->Serialize(archive);
    }
}

// Reads the count, tells `reserve` how many objects may follow (the count, unless the bytes left
// could not hold that many), then hands each completely read object to the sink, stopping at the
// first fault. Returns false after a fault.
template <typename T, typename Reserve, typename Sink>
bool Read(CArchiveReader& archive, Reserve&& reserve, Sink&& sink)
{
    const std::uint16_t count = archive.ReadCount();
    reserve(static_cast<std::size_t>(
        std::min<std::int64_t>(count, archive.Remaining() / T::kMinStoredBytes)));
    for (std::uint16_t i = 0; i < count && !archive.Failed(); ++i) {
        if (!archive.ReadObjectTag(T::kClassName, T::kSchema)) {
            break;
        }
        auto object = std::make_unique<T>();
        object->Serialize(archive);
        if (archive.Failed()) {
            break;
        }
        sink(std::move(object));
    }
    return !archive.Failed();
}

} // namespace ObjectArray
