#pragma once

#include <QWidget>

class CDomainDoc;
class CLookupScheduler;
class CDomainListCtrl;
class CDomainListModel;
class CInfoPane;
class CPictureButton;
class QLabel;

// The one view of the document: the check-box list above, the selected entry's record below, the
// status line at the bottom and a narrow column on the right with the support and register
// buttons. The lookup scheduler's timer refreshes the status line.
class CDomainView final : public QWidget {
    Q_OBJECT

public:
    static const QString kWelcomeText;
    static const QString kNoInformationText;
    static const QString kNoSelectionText;
    // The narrowest and lowest the view goes: the list keeps room for its four columns.
    static constexpr int kMinimumWidth = 440;
    static constexpr int kMinimumHeight = 320;

    CDomainView(CDomainDoc& doc, CLookupScheduler& scheduler, QWidget* parent = nullptr);
    ~CDomainView() override;

    CDomainDoc& GetDocument() const { return m_doc; }
    CDomainListCtrl& GetList() const { return *m_list; }
    CInfoPane& GetInfoPane() const { return *m_info; }

    // The highlighted entry's index when it is a row of the list, else -1.
    int GetCurrentIndex() const;
    void SelectRow(int row);
    // Refreshes the information pane for the highlighted entry.
    void ShowInfo();
    void RefreshStatusLine();
    QString GetStatusLineText() const;
    const QLabel& GetStatusLine() const { return *m_status; }
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void SupportRequested();
    void RegisterRequested();
    void PopupMenuRequested(const QPoint& globalPosition);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Frames {
        QRect list;
        QRect info;
        QRect column;
        QRect status;
    };

    static Frames FramesFor(const QSize& size, int statusHeight);
    int StatusHeightFor(int viewWidth) const;
    void LayOut();
    void OnListReset();

    CDomainDoc& m_doc;
    CLookupScheduler& m_scheduler;
    CDomainListModel* m_model;
    CDomainListCtrl* m_list;
    CInfoPane* m_info;
    QLabel* m_status;
    CPictureButton* m_support;
    CPictureButton* m_register;
    // The status frame's height at the last layout.
    int m_layoutStatusHeight = 0;
};
