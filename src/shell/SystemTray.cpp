#include "shell/SystemTray.h"

#include "core/Settings.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>

CSystemTray::CSystemTray(QObject* parent)
    : QObject(parent)
{
    BuildMenu();
    connect(&m_animationTimer, &QTimer::timeout, this, &CSystemTray::OnAnimationTimer);
}

// The icon must leave the notification area before the menu it points at is destroyed.
CSystemTray::~CSystemTray()
{
    delete m_trayIcon;
}

void CSystemTray::BuildMenu()
{
    m_menu = std::make_unique<QMenu>();
    m_showAction = m_menu->addAction(QStringLiteral("Show..."));
    m_optionsAction = m_menu->addAction(QStringLiteral("&Options..."));
    connect(m_showAction, &QAction::triggered, this, &CSystemTray::ShowRequested);
    connect(m_optionsAction, &QAction::triggered, this, &CSystemTray::OptionsRequested);
}

bool CSystemTray::Create(const QIcon& icon, Availability availability)
{
    if (m_bEnabled) {
        return false;
    }
    const bool available = availability == Availability::AskDesktop
                               ? QSystemTrayIcon::isSystemTrayAvailable()
                               : availability == Availability::Present;
    if (!available) {
        return false;
    }
    m_trayIcon = new QSystemTrayIcon(icon, this);
    m_trayIcon->setContextMenu(m_menu.get());
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &CSystemTray::OnActivated);
    m_bEnabled = true;
    m_bHidden = true;
    SetStatusLine(QString());
    SetDefaultMenuItem(m_nDefaultItem);
    return true;
}

bool CSystemTray::ShowIcon()
{
    if (!m_bEnabled) {
        return false;
    }
    if (m_bHidden) {
        m_trayIcon->show();
        m_bHidden = false;
    }
    return true;
}

bool CSystemTray::HideIcon()
{
    if (!m_bEnabled) {
        return false;
    }
    if (!m_bHidden) {
        m_trayIcon->hide();
        m_bHidden = true;
    }
    return true;
}

bool CSystemTray::SetIcon(const QIcon& icon)
{
    if (!m_bEnabled) {
        return false;
    }
    m_trayIcon->setIcon(icon);
    return true;
}

QIcon CSystemTray::GetIcon() const
{
    return m_bEnabled ? m_trayIcon->icon() : QIcon();
}

bool CSystemTray::SetStatusLine(const QString& line)
{
    if (!m_bEnabled) {
        return false;
    }
    const QString name = QStringLiteral("Quillon");
    m_trayIcon->setToolTip(line.isEmpty() ? name : name + QLatin1Char('\n') + line);
    return true;
}

QString CSystemTray::GetToolTip() const
{
    return m_bEnabled ? m_trayIcon->toolTip() : QString();
}

bool CSystemTray::ShowMessage(const QString& title, const QString& text)
{
    if (!m_bEnabled || m_bHidden || !QSystemTrayIcon::supportsMessages()) {
        return false;
    }
    m_trayIcon->showMessage(title, text, m_trayIcon->icon());
    return true;
}

bool CSystemTray::SetIconList(const QList<QIcon>& frames)
{
    if (!m_bEnabled) {
        return false;
    }
    m_frames.clear();
    for (const QIcon& frame : frames) {
        if (frame.isNull()) {
            m_frames.clear();
            return false;
        }
        m_frames.append(frame);
    }
    return true;
}

bool CSystemTray::SetDefaultMenuItem(int position)
{
    const QList<QAction*> items = m_menu->actions();
    if (!m_bEnabled || position < 0 || position >= items.size()) {
        return false;
    }
    m_nDefaultItem = position;
    for (int i = 0; i < items.size(); ++i) {
        QFont font = items[i]->font();
        font.setBold(i == position);
        items[i]->setFont(font);
    }
    m_menu->setDefaultAction(items[position]);
    return true;
}

bool CSystemTray::Animate(std::chrono::milliseconds step, std::chrono::seconds limit)
{
    if (!m_bEnabled) {
        return false;
    }
    if (IsAnimating()) {
        return true;
    }
    m_animationTimer.stop();
    m_nCurrentFrame = 0;
    m_animationClock.start();
    m_animationLimit = limit;
    m_savedIcon = m_trayIcon->icon();
    m_animationTimer.start(step);
    return true;
}

void CSystemTray::OnAnimationTimer()
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::milliseconds(m_animationClock.elapsed()));
    if (m_animationLimit > std::chrono::seconds::zero() && elapsed > m_animationLimit) {
        StopAnimation();
    } else {
        StepAnimation();
    }
}

bool CSystemTray::StepAnimation()
{
    if (!m_bEnabled) {
        return false;
    }
    if (!m_frames.isEmpty()) {
        m_nCurrentFrame = (m_nCurrentFrame + 1) % m_frames.size();
        m_trayIcon->setIcon(m_frames[m_nCurrentFrame]);
    }
    return true;
}

bool CSystemTray::StopAnimation()
{
    if (!m_bEnabled) {
        return false;
    }
    m_animationTimer.stop();
    if (m_savedIcon) {
        m_trayIcon->setIcon(*m_savedIcon);
        m_savedIcon.reset();
    }
    return true;
}

void CSystemTray::MinimizeToTray(QWidget& window)
{
    if (ShowIcon()) {
        window.hide();
    } else {
        window.showMinimized();
    }
}

void CSystemTray::ShowWindow(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
    HideIcon();
}

void CSystemTray::MinimizeAtStartIfSet(QWidget& window)
{
    if (GetSetting(Setting::MinimizeToTray) == 0) {
        return;
    }
    QTimer::singleShot(0, this, [this, target = QPointer<QWidget>(&window)] {
        if (target) {
            MinimizeToTray(*target);
        }
    });
}

// Desktops that speak the StatusNotifierItem protocol report a single click and never a double
// click, so both run the default item; otherwise the window could not be brought back by
// clicking the icon there.
void CSystemTray::OnActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) {
        m_menu->actions().at(m_nDefaultItem)->trigger();
    }
}
