#include "view/DomainView.h"

#include "core/ByteText.h"
#include "core/DomainDoc.h"
#include "core/DomainName.h"
#include "lookup/LookupScheduler.h"
#include "lookup/StatusLine.h"
#include "view/ButtonArtwork.h"
#include "view/DomainListCtrl.h"
#include "view/DomainListModel.h"
#include "view/DomainRowDelegate.h"
#include "view/InfoPane.h"
#include "view/PictureButton.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kColumnWidth = 116;
constexpr int kStatusHeight = 36;
// Inside its frame the status text keeps two pixels to the frame and four more at either side.
constexpr int kStatusInset = 2;
constexpr int kStatusMargin = 4;

QFont ViewFont(int pixelSize, QFont::Weight weight)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

// A one-pixel sunken edge: shadow on the top and left, highlight on the bottom and right.
void DrawSunkenFrame(QPainter& painter, const QRect& frame, const QPalette& palette)
{
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());
}

// What the information pane says first about a name the list shows in Unicode: the A-label the
// list keeps and looks up, and whether the name mixes scripts, as look-alike names do (many
// registries refuse them).
QString NameHeading(const QByteArray& name)
{
    if (DomainName::DisplayForm(name) == name) {
        return {};
    }
    QString heading = ByteText::Decode(name);
    const QString mixed = DomainName::MixedScripts(name);
    if (!mixed.isEmpty()) {
        heading += QStringLiteral("\nThe name %1.").arg(mixed);
    }
    return heading;
}

} // namespace

const QString CDomainView::kWelcomeText = QStringLiteral(
    "From the menu choose 'Names > Add Names'\r\nto manually add domain names\r\n\r\n"
    "Use 'Names > Construct Names' to construct\r\ndomain names from keywords.\r\n\r\n"
    "or simply press ctrl-w to get started.");
const QString CDomainView::kNoInformationText = QStringLiteral(
    "Information not available.\r\nPlease click on the \"Check Availability\" button (or the "
    "'Lookup > Highlighted Domain'\r\nmenu option) to retrieve registration data.\r\n");
const QString CDomainView::kNoSelectionText = QStringLiteral(
    "Please click on a domain name in the above list to see the domain name "
    "record.\r\nYou can also right click on the domain name to view various options.");

CDomainView::CDomainView(CDomainDoc& doc, CLookupScheduler& scheduler, QWidget* parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_scheduler(scheduler)
    , m_model(new CDomainListModel(doc, this))
    , m_list(new CDomainListCtrl(doc, this))
    , m_info(new CInfoPane(this))
    , m_status(new QLabel(this))
    , m_support(new CPictureButton(ButtonArtwork::SupportPicture(false),
                                   ButtonArtwork::SupportPicture(true),
                                   QStringLiteral("Customer Support"), this))
    , m_register(new CPictureButton(ButtonArtwork::RegisterPicture(false),
                                    ButtonArtwork::RegisterPicture(true),
                                    QStringLiteral("Register Domain"), this))
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    // Records are laid out in columns by the registries: they read best in a fixed-width font.
    QFont recordFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    recordFont.setWeight(QFont::Normal);
    m_info->setFont(recordFont);
    m_list->setModel(m_model);
    m_list->setItemDelegate(new CDomainRowDelegate(m_list));
    m_list->setFont(ViewFont(12, QFont::Bold));
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 4);
    m_status->setFont(ViewFont(12, QFont::Bold));
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_status->setTextFormat(Qt::PlainText);

    connect(m_list, &CDomainListCtrl::ShowInfoRequested, this, &CDomainView::ShowInfo);
    connect(m_list, &CDomainListCtrl::PopupMenuRequested, this, &CDomainView::PopupMenuRequested);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CDomainView::ShowInfo);
    connect(&m_doc, &CDomainDoc::ListReset, this, &CDomainView::OnListReset);
    connect(&m_doc, &CDomainDoc::RowsChanged, this, &CDomainView::ShowInfo);
    connect(&m_doc, &CDomainDoc::RowRemoved, this, &CDomainView::ShowInfo);
    connect(m_support, &QAbstractButton::clicked, this, &CDomainView::SupportRequested);
    connect(m_register, &QAbstractButton::clicked, this, &CDomainView::RegisterRequested);
    connect(&m_scheduler, &CLookupScheduler::Ticked, this, &CDomainView::RefreshStatusLine);
    ShowInfo();
    RefreshStatusLine();
}

CDomainView::~CDomainView() = default;

int CDomainView::GetCurrentIndex() const
{
    const int row = m_list->CurrentRow();
    return row >= 0 && row < m_model->rowCount() && row < m_doc.GetCount() ? row : -1;
}

void CDomainView::SelectRow(int row)
{
    m_list->SelectRow(row);
    ShowInfo();
}

void CDomainView::ShowInfo()
{
    const int index = GetCurrentIndex();
    const CDomainInfo* entry = m_doc.GetAt(index);
    const QString heading = entry ? NameHeading(entry->m_strName) : QString();
    if (entry && !entry->m_strName.isEmpty() && !entry->m_strInfo.isEmpty()) {
        m_info->ShowRecord(entry->m_strInfo, heading);
    } else if (m_doc.GetCount() == 0) {
        m_info->ShowText(kWelcomeText);
    } else {
        m_info->ShowText(entry ? kNoInformationText : kNoSelectionText, heading);
    }
}

void CDomainView::RefreshStatusLine()
{
    const QString text =
        StatusLineText(CListCounts::Of(m_doc, m_scheduler.GetDnsTally()), m_scheduler.IsBusy(),
                       m_scheduler.GetResolver().NoServerResolved(), m_scheduler.CurrentWait());
    if (m_status->text() == text) {
        return;
    }
    m_status->setText(text);
    if (StatusHeightFor(width()) != m_layoutStatusHeight) {
        LayOut();
    }
}

QString CDomainView::GetStatusLineText() const
{
    return m_status->text();
}

void CDomainView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void CDomainView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Frames frames = FramesFor(size(), m_layoutStatusHeight);
    for (const QRect& frame : {frames.list, frames.info, frames.column, frames.status}) {
        DrawSunkenFrame(painter, frame, palette());
    }
}

QSize CDomainView::minimumSizeHint() const
{
    return {kMinimumWidth, kMinimumHeight};
}

CDomainView::Frames CDomainView::FramesFor(const QSize& size, int statusHeight)
{
    const int w = size.width();
    const int h = size.height();
    const auto frame = [](int left, int top, int right, int bottom) {
        return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    };
    return {frame(2, 4, w - kColumnWidth - 4, h / 2 - 6),
            frame(2, h / 2, w - kColumnWidth - 4, h - statusHeight - 10),
            frame(w - kColumnWidth, 4, w - 2, h - 4),
            frame(2, h - statusHeight - 4, w - kColumnWidth - 4, h - 4)};
}

// The status line's frame is as tall as the original's one line, or taller when a narrow window
// wraps the text: the text is never cut.
int CDomainView::StatusHeightFor(int viewWidth) const
{
    const int textWidth = viewWidth - kColumnWidth - 6 - 2 * (kStatusInset + kStatusMargin);
    const int textHeight = m_status->heightForWidth(std::max(textWidth, 1));
    return std::max(kStatusHeight, textHeight + 2 * kStatusInset);
}

void CDomainView::LayOut()
{
    m_layoutStatusHeight = StatusHeightFor(width());
    const Frames frames = FramesFor(size(), m_layoutStatusHeight);
    const auto inside = [](const QRect& frame) {
        return frame.adjusted(kStatusInset, kStatusInset, -kStatusInset, -kStatusInset);
    };
    m_list->setGeometry(inside(frames.list));
    m_info->setGeometry(inside(frames.info));
    m_status->setGeometry(inside(frames.status).adjusted(kStatusMargin, 0, -kStatusMargin, 0));
    const int width = inside(frames.list).width() - 2 * m_list->frameWidth();
    const int share = (width - 75) / 3;
    m_list->setColumnWidth(CDomainListModel::SlNo, 60);
    m_list->setColumnWidth(CDomainListModel::Domain, share + 15);
    m_list->setColumnWidth(CDomainListModel::Status, share - 5);
    m_list->setColumnWidth(CDomainListModel::CheckedAt, share - 10);
    const QRect column = inside(frames.column);
    const auto place = [&column](QWidget* button, int top) {
        const QSize size = button->sizeHint();
        button->setGeometry(column.left() + (column.width() - size.width()) / 2, column.top() + top,
                            size.width(), size.height());
    };
    place(m_support, 20);
    place(m_register, 100);
}

void CDomainView::OnListReset()
{
    m_list->clearSelection();
    ShowInfo();
}
