#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QWidget;

// The notification-area icon that stands for the main window while it is hidden. Its menu offers
// "Show..." (the default, in bold, also what a click or double-click does) and "&Options...";
// while a batch of lookups runs it cycles through a list of icons.
//
// Where the desktop has no notification area the icon is never created: every operation then
// does nothing and returns false, and sending the window to the tray minimises it instead.
class CSystemTray : public QObject {
    Q_OBJECT

public:
    // Whether the desktop offers a notification area; tests decide it instead of the desktop.
    enum class Availability { AskDesktop, Present, Absent };

    // The pace of the animation during "&All Selected" lookups; it runs until stopped.
    static constexpr std::chrono::milliseconds kBusyStep{1000};
    static constexpr std::chrono::seconds kNoLimit{0};

    explicit CSystemTray(QObject* parent = nullptr);
    ~CSystemTray() override;

    // Puts the icon with the tooltip "Quillon" in place, hidden until ShowIcon. False, leaving
    // the tray disabled, where there is no notification area.
    bool Create(const QIcon& icon, Availability availability = Availability::AskDesktop);
    bool IsEnabled() const { return m_bEnabled; }
    bool IsHidden() const { return m_bHidden; }

    bool ShowIcon();
    bool HideIcon();
    bool SetIcon(const QIcon& icon);
    // The icon shown now; null when there is no tray icon.
    QIcon GetIcon() const;
    // The animation's frames. A missing (null) frame empties the list and gives false; the
    // animation then shows nothing new.
    bool SetIconList(const QList<QIcon>& frames);
    // The menu item, by position, that is shown in bold and that a click or double-click runs.
    bool SetDefaultMenuItem(int position);
    // The tooltip: "Quillon", and below it a line on what the program is doing (none: empty).
    bool SetStatusLine(const QString& line);
    QString GetToolTip() const;
    // Shows a message at the icon while it is in the notification area; false otherwise.
    bool ShowMessage(const QString& title, const QString& text);
    // The icon's menu; null when there is no tray icon.
    QMenu* GetMenu() const { return m_bEnabled ? m_menu.get() : nullptr; }

    // Starts showing the next frame every `step` until StopAnimation, or until more than `limit`
    // whole seconds have passed (a limit of zero or less: no limit). While an animation runs it
    // is left as it is, and the call succeeds.
    bool Animate(std::chrono::milliseconds step, std::chrono::seconds limit);
    // Shows the frame after the current one, wrapping round at the end of the list.
    bool StepAnimation();
    // Ends the animation and shows again the icon it started from.
    bool StopAnimation();
    bool IsAnimating() const { return m_savedIcon.has_value(); }

    // "Minimize to tray": shows the icon and hides the window, or only minimises the window
    // where there is no tray icon.
    void MinimizeToTray(QWidget& window);
    // "Show": shows the window in the size state it had, in front, and hides the icon.
    void ShowWindow(QWidget& window);
    // With "Minimize to Tray" set, sends the window to the tray as soon as the event loop runs,
    // that is right after start-up has shown it.
    void MinimizeAtStartIfSet(QWidget& window);

Q_SIGNALS:
    // "Show..." was chosen from the menu, or the icon was clicked.
    void ShowRequested();
    // "&Options..." was chosen from the menu.
    void OptionsRequested();

private:
    void BuildMenu();
    void OnActivated(QSystemTrayIcon::ActivationReason reason);
    void OnAnimationTimer();

    std::unique_ptr<QMenu> m_menu;
    QAction* m_showAction = nullptr;
    QAction* m_optionsAction = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
    bool m_bEnabled = false;
    bool m_bHidden = true;
    QList<QIcon> m_frames;
    int m_nCurrentFrame = 0;
    QTimer m_animationTimer;
    QElapsedTimer m_animationClock;
    std::chrono::seconds m_animationLimit{0};
    // The icon shown before the animation began; empty while no animation runs.
    std::optional<QIcon> m_savedIcon;
    int m_nDefaultItem = 0;
};
