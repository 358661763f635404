#pragma once

#include "lookup/VerdictSource.h"

#include "lookup/VerdictSource.h"

#include <QByteArray>
#include <QString>

#include <optional>

class CDomainDoc;

// What the run knows of a name's lookups beyond its entry.
struct CLookupFacts {
    // Throttled answers the name met on the way to its result.
    int throttles = 0;
    VerdictSource source = VerdictSource::Registry;
};

// How quillon-cli check prints each verdict: one line (text, tsv, csv) or one JSON object per
// name, optionally with the record text. Text shows a name in both forms. The machine-readable
// forms give the name as the list keeps it, the status, the time of the lookup, the source of
// the verdict ("dns", "whois" or "rdap") and the facts, in that order, then the record, then the
// name's Unicode form.
class CResultFormat {
public:
    enum class Kind { Text, Tsv, Csv, Json };

    static std::optional<CResultFormat> FromName(const QString& name, bool withRecord);

    QByteArray Line(const CDomainDoc& doc, int index, const CLookupFacts& facts) const;

private:
    CResultFormat(Kind kind, bool withRecord)
        : m_kind(kind)
        , m_bWithRecord(withRecord)
    {}

    Kind m_kind;
    bool m_bWithRecord;
};
