#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <chrono>
#include <cstdint>
#include <limits>

class CDomainDoc;

// How the padding words join the keyword.
struct CPaddingOptions {
    // Each word also goes in a second time joined by "-".
    bool useDash = false;
    bool noStartAppend = false;
    bool noEndAppend = false;
    // No name carries words on both sides.
    bool noBothAppend = true;
};

// The names made from one keyword, padding words and TLDs, handed out one at a time in this
// order: the keyword bare, then with each TLD; each beginning word + keyword with each TLD; the
// keyword + each end word with each TLD; unless noBothAppend, each beginning word (outer) with
// each end word (inner) around the keyword, with each TLD. TLDs follow the order given.
// The sequence can be far longer than any list may hold, so it is never built whole.
class CNameConstructor {
public:
    // The word texts are cut at runs of space, comma, CR, LF and semicolon; dots are removed from
    // each word, and a word equal to the trimmed keyword (ignoring case) is skipped.
    CNameConstructor(QByteArrayView keyword, QByteArrayView beginningWords, QByteArrayView endWords,
                     const CPaddingOptions& options, QByteArrayList tlds);

    // Points `name` at the next name, which stays valid until the next call; false when the
    // sequence has ended.
    bool Next(QByteArrayView& name);
    // The length of the sequence: 1 + |T| x (1 + |P| + |S| + |P| x |S|), the last term only
    // while names may carry words on both sides.
    std::uint64_t Count() const;
    // How many names have been handed out.
    std::uint64_t Position() const { return m_position; }

    // Before the first name: leaves out the names the list is certain to refuse, so that they
    // need not be walked, and keeps the order of the rest; Count() becomes their number. Left out
    // are all names after the bare keyword when the keyword is ASCII and its part before any dot
    // holds a byte no label may hold, or the keyword with the shortest TLD is already too long;
    // and all names of a padding word that is empty once trimmed or repeats an earlier word of
    // its side (ignoring case), and, when the word and the keyword are ASCII, of one that is too
    // long with the keyword and the shortest TLD or would bring into the first label a byte no
    // label may hold or a dash at its start or end. Text in other scripts is judged by the list.
    void LeaveOutCertainRefusals();

private:
    // Every stage but the first makes stems (names without their TLD) that take each TLD.
    enum class Stage { BareKeyword, Keyword, Prefixed, Suffixed, BothSides, Done };

    bool KeywordRulesOutTLDs(qsizetype shortestTLD) const;
    bool PrefixIsRefused(QByteArrayView prefix, qsizetype shortestTLD) const;
    bool SuffixIsRefused(QByteArrayView suffix, qsizetype shortestTLD) const;
    bool IsJudged(QByteArrayView word) const;
    qint64 StemCount(Stage stage) const;
    void BuildStem();
    void NextStem();

    QByteArray m_keyword;
    // The words that go before the keyword (P) and after it (S), dash forms included.
    QByteArrayList m_prefixes;
    QByteArrayList m_suffixes;
    QByteArrayList m_tlds;
    bool m_bBothSides;

    Stage m_stage = Stage::BareKeyword;
    qint64 m_stemIndex = 0;
    qsizetype m_tld = 0;
    // The current stem and a dot, followed by the TLD of the name handed out last.
    QByteArray m_name;
    qsizetype m_stemLength = 0;
    std::uint64_t m_position = 0;
};

// How many names one step of a long construction offers before the window looks at its events:
// some tens of milliseconds' work for ASCII names. Names in other scripts cost some microseconds
// each to convert, so a step also ends once its time is up; the clock is read after every
// kNamesBetweenClockReadings names.
inline constexpr std::uint64_t kConstructedNamesPerStep = 1 << 20;
inline constexpr std::chrono::milliseconds kConstructionStepTime{50};
inline constexpr std::uint64_t kNamesBetweenClockReadings = 1024;

// Offers the next constructed names to the list in order, at most `count` of them, and stops as
// soon as the list is full. Returns how many entered. Before the first name, the names the list is
// certain to refuse are left out, which changes neither the names admitted nor their order.
int AdmitConstructedNames(CDomainDoc& doc, CNameConstructor& names,
                          std::uint64_t count = std::numeric_limits<std::uint64_t>::max());

// One step of a long construction: AdmitConstructedNames for kConstructedNamesPerStep names, or
// for as many as `stepTime` allows, whichever is fewer, but at least kNamesBetweenClockReadings
// of them while names remain and the list has room.
int AdmitConstructionStep(CDomainDoc& doc, CNameConstructor& names,
                          std::chrono::steady_clock::duration stepTime = kConstructionStepTime);

// Whether offering more names can change nothing: the list is full or the sequence has ended.
bool ConstructionIsOver(const CDomainDoc& doc, const CNameConstructor& names);
