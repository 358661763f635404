#pragma once

#include <QByteArray>
#include <QObject>

#include <cstdint>

class CDomainDoc;
class CDomainInfo;
class CDomainView;

// What the enabling rules of the list commands look at, gathered in one pass over the list.
struct CListFacts {
    int entries = 0;
    bool anyTicked = false;
    bool anyUnticked = false;
    bool anyAvailable = false;
    // The highlighted entry, when there is one.
    int current = -1;
    std::uint8_t currentStatus = 0;
    bool currentRunning = false;
    bool currentHasAddress = false;

    static CListFacts Of(const CDomainView& view);
    bool HasCurrent() const { return current >= 0; }
};

// The commands the user gives to the list: ticking, sorting, finding, deleting, copying, and
// the lookup commands of one entry or of the ticked ones. Each acts on the document and the
// view; the window decides when each is enabled from CListFacts.
class CListCommands final : public QObject {
    Q_OBJECT

public:
    explicit CListCommands(CDomainView& view, QObject* parent = nullptr);

    void SelectAll();
    void UnselectAll();
    void InvertSelection();
    void SelectRange();
    void SortByName();
    void SortByStatus();
    void Find();
    void Refresh();

    void DeleteSelected();
    void DeleteAll();
    void DeleteRegistered();
    void DeleteFree();
    void DeleteEntry();

    void CopyAllEntries();
    void CopySelectedEntries();
    void CopyDomainName();
    void CopyDomainAddress();
    void CopyDomainInformation();
    void CopyDomainURL();

    void CheckDomain();
    void CheckAllSelected();
    void ResetSelected();
    void ResetEntry();
    void StopLookup();
    void StopAll();

    // The entry Find goes to: the first whose name equals the text, else the first whose name
    // begins with it (both ignoring case); -1 when none.
    static int FindEntry(const CDomainDoc& doc, QByteArrayView text);
    // Ticks rows `from` to `to` (1-based, either order); unticks the others when asked.
    static void TickRange(CDomainDoc& doc, int from, int to, bool untickOthers);

Q_SIGNALS:
    // The lookup of the ticked entries was turned on: the busy animation can start.
    void LookupAllStarted();

private:
    template <typename Change>
    void ChangeTicks(Change change);
    void DeleteAfterQuestion(const QString& question, bool (*matches)(const CDomainInfo&));
    void CopyToClipboard(const QByteArray& text);

    CDomainView& m_view;
    CDomainDoc& m_doc;
};
