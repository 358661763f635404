#pragma once

#include "view/ListFacts.h"

#include <QByteArray>
#include <QObject>

#include <cstdint>

class CDomainDoc;
class CDomainInfo;
class CDomainView;
class CLookupScheduler;

// The commands the user gives to the list: ticking, sorting, finding, deleting, copying, and
// the lookup commands of one entry or of the ticked ones. Each acts on the document and the
// view; the command table decides from CListFacts when each is enabled.
class CListCommands final : public QObject {
    Q_OBJECT

public:
    CListCommands(CDomainView& view, CLookupScheduler& scheduler, QObject* parent = nullptr);

    void TickAll();
    void UntickAll();
    void InvertTicks();
    void TickRange();
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
    void ResetTicked();
    void ResetEntry();
    void StopLookup();
    void StopAll();

    // The entry Find goes to: the first whose name equals the text, else the first whose name
    // begins with it (both ignoring case, and in either form of the name); -1 when none.
    static int FindEntry(const CDomainDoc& doc, QByteArrayView text);

Q_SIGNALS:
    // The lookup of the ticked entries was turned on: the busy animation can start.
    void LookupAllStarted();

private:
    void DeleteAfterQuestion(const QString& question, bool (*matches)(const CDomainInfo&));
    void CopyToClipboard(const QByteArray& text);

    CDomainView& m_view;
    CDomainDoc& m_doc;
    CLookupScheduler& m_scheduler;
};
