#pragma once

#include <QByteArray>
#include <QByteArrayView>

// How a lookup keeps what its server sends: pieces of at most kChunkSize bytes as they arrive,
// each counting as text up to its first zero byte, in a buffer of kCapacity bytes that keeps its
// last byte for the terminating zero of the text. The WHOIS client receives through it, and
// quillon-cli analyse reads a saved answer through it, so both see the same bytes.
namespace ReceiveBuffer {

inline constexpr qsizetype kCapacity = 4096;
inline constexpr qsizetype kChunkSize = 2095;

// Adds one received piece to `answer`; false once the buffer is full, with the part of the piece
// that fitted kept.
bool Append(QByteArray& answer, QByteArrayView chunk);

// `answer` with `bytes` added as a fast server would deliver them: in full pieces, until the
// buffer is full.
QByteArray AppendAsReceived(QByteArray answer, QByteArrayView bytes);

} // namespace ReceiveBuffer
