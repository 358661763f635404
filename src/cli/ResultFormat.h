#pragma once

#include "lookup/VerdictSource.h"

#include <QByteArray>
#include <QString>

#include <optional>

class CDomainDoc;

// How quillon-cli check prints each verdict: one line (text, tsv, csv) or one JSON object per
// name, with the source of the verdict (tsv, csv, json) and optionally the record text.
class CResultFormat {
public:
    enum class Kind { Text, Tsv, Csv, Json };

    static std::optional<CResultFormat> FromName(const QString& name, bool withRecord);

    QByteArray Line(const CDomainDoc& doc, int index, VerdictSource source) const;

private:
    CResultFormat(Kind kind, bool withRecord)
        : m_kind(kind)
        , m_bWithRecord(withRecord)
    {}

    Kind m_kind;
    bool m_bWithRecord;
};
