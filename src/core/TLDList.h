#pragma once

#include "core/FileResult.h"
#include "core/TLDInfo.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <memory>
#include <vector>

// The table of TLDs and their WHOIS servers. Its order is the order of the file, the dialogs and
// every first-match search.
class CTLDList {
public:
    using Entries = std::vector<std::unique_ptr<CTLDInfo>>;

    // zul.tld in the data folder; the defaults when it cannot be opened. A file that breaks off
    // keeps the entries read before the fault, and the result says what went wrong.
    CFileResult LoadTLDList();
    // Replaces zul.tld in the data folder with the whole table.
    CFileResult SaveTLDList() const;
    // Deletes zul.tld and loads again, which brings back the defaults.
    CFileResult ResetTLDList();
    void ClearTLDList();

    CFileResult ReadFrom(QIODevice& device);
    CFileResult WriteTo(QIODevice& device) const;
    CFileResult ReadFile(const QString& path);
    CFileResult WriteFile(const QString& path) const;
    void FillDefaults();

    // The entry a domain name falls under: the text after its first dot, else the text after
    // its last dot; none when nothing matches.
    CTLDInfo* FindTLDForName(QByteArrayView name) const;
    CTLDInfo* FindTLD(QByteArrayView tld) const;
    QByteArray GetServerForName(QByteArrayView name) const;
    QByteArray GetRegistrarURLForName(QByteArrayView name) const;
    QByteArray GetTLDForName(QByteArrayView name) const;

    // One label, then a TLD of the table; or one label, any second label and a two-letter TLD
    // of the table.
    bool IsValidDomainName(QByteArrayView name) const;
    // The longest name the list takes, and the bytes its first label may hold (either case).
    static constexpr qsizetype kMaxNameLength = 67;
    static bool IsLabelByte(char c);

    void AddOrUpdateTLD(QByteArrayView tld, QByteArrayView server);
    // Lines of "tld: server" (a WHOIS server or an RDAP base URL); lines without a usable TLD and
    // server are ignored.
    void ImportTLDText(QByteArrayView text);
    enum SortKey { ByTLDLength = 0, ByServer = 1 };
    void SortTLDList(int key);

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    CTLDInfo* GetAt(int index) const;
    const Entries& GetEntries() const { return m_entries; }
    void Append(std::unique_ptr<CTLDInfo> entry);
    void RemoveAt(int index);

    static QString FilePath();

private:
    Entries m_entries;
};
