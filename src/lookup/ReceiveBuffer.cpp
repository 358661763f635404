#include "lookup/ReceiveBuffer.h"

#include <algorithm>

namespace ReceiveBuffer {

bool Append(QByteArray& answer, QByteArrayView chunk)
{
    const qsizetype zero = chunk.indexOf('\0');
    const QByteArrayView text = zero < 0 ? chunk : chunk.first(zero);
    const qsizetype room = std::max<qsizetype>(kCapacity - 1 - answer.size(), 0);
    answer.append(text.first(std::min(text.size(), room)));
    return text.size() < room;
}

QByteArray AppendAsReceived(QByteArray answer, QByteArrayView bytes)
{
    for (qsizetype start = 0; start < bytes.size(); start += kChunkSize) {
        if (!Append(answer, bytes.sliced(start, std::min(kChunkSize, bytes.size() - start)))) {
            break;
        }
    }
    return answer;
}

} // namespace ReceiveBuffer
