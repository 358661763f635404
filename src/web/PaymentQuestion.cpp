#include "web/PaymentQuestion.h"

#include "core/ByteText.h"
#include "core/DomainInfo.h"

namespace {

const QString kOnlyNetworkSolutions =
    QStringLiteral("This will work only if the registrar for the domain is Network Solutions.");

// The record's line from `word` up to its CR LF, in lower case; nothing without a CR LF after it.
std::optional<QString> LineFrom(const QByteArray& lowerRecord, QByteArrayView word)
{
    const qsizetype start = lowerRecord.indexOf(word);
    const qsizetype end = lowerRecord.indexOf("\r\n", start);
    if (end < 0) {
        return std::nullopt;
    }
    return ByteText::Decode(lowerRecord.sliced(start, end - start));
}

std::optional<QString> ExpiryMessage(const QByteArray& lowerRecord)
{
    std::optional<QString> line;
    QString opening;
    if (lowerRecord.contains("expires")) {
        line = LineFrom(lowerRecord, "expires");
        opening = QStringLiteral("As per the domain name records this domain %1");
    } else if (lowerRecord.contains("expiry")) {
        line = LineFrom(lowerRecord, "expiry");
        opening = QStringLiteral("The domain name records contain this.\r\n%1");
    }
    if (!line) {
        return std::nullopt;
    }
    return opening.arg(*line) +
           QStringLiteral("\r\n\r\nDo you want to try the payment status "
                          "at Network Solutions.?\r\n") +
           kOnlyNetworkSolutions;
}

} // namespace

std::optional<CPrompt> PaymentStatusQuestion(const CDomainInfo& entry)
{
    if (std::optional<QString> message = ExpiryMessage(ByteText::ToLower(entry.m_strInfo))) {
        // Said only when the record does not already name Network Solutions as the registrar.
        if (entry.m_strInfo.contains("Registrar: NETWORK SOLUTIONS, INC.")) {
            message->remove(kOnlyNetworkSolutions);
        }
        return CPrompt::Question(*message);
    }
    if (entry.m_nStatus == STATUS_AVAILABLE) {
        return CPrompt::Question(QStringLiteral("This domain appears to be unregistered!\r\nDo you "
                                                "still wish to try the NS website for payment "
                                                "status?"));
    }
    return std::nullopt;
}
