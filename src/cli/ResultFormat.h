#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class CDomainDoc;

// How quillon-cli check prints each verdict: one line (text, tsv, csv) or one JSON object per
// name, optionally with the record text. Text shows a name in both forms; tsv, csv and json give
// the name as the list keeps it and its Unicode form in a last field of their own.
class CResultFormat {
public:
    enum class Kind { Text, Tsv, Csv, Json };

    static std::optional<CResultFormat> FromName(const QString& name, bool withRecord);

    QByteArray Line(const CDomainDoc& doc, int index) const;

private:
    CResultFormat(Kind kind, bool withRecord)
        : m_kind(kind)
        , m_bWithRecord(withRecord)
    {}

    Kind m_kind;
    bool m_bWithRecord;
};
