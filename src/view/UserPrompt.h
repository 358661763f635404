#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <deque>

class QWidget;

// Every question, message and file dialog of the program goes through here, so tests can drive
// the real windows: they queue the answers and file names the next dialogs return, and read the
// texts that were shown instead of showing them.
class CUserPrompt {
public:
    // The questions of the list commands: Yes, No and Cancel, going on only on Yes.
    static QMessageBox::StandardButton
    Question(QWidget* parent, const QString& text,
             QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No |
                                                    QMessageBox::Cancel);
    static void Information(QWidget* parent, const QString& text);
    static void Warning(QWidget* parent, const QString& text);

    // Empty when the user cancels. `filter` is in QFileDialog's form.
    static QString OpenFileName(QWidget* parent, const QString& caption, const QString& initial,
                                const QString& filter);
    static QString SaveFileName(QWidget* parent, const QString& caption, const QString& initial,
                                const QString& filter, const QString& defaultSuffix);

    // Seams for tests. While answers or file names are queued, nothing is shown: the next
    // dialog takes the oldest one (a question with none queued answers Cancel, a file dialog an
    // empty name). Every text that would have been shown is recorded.
    static void SetNextAnswer(QMessageBox::StandardButton answer);
    static void SetNextFileName(const QString& fileName);
    static void SetAutomatic(bool automatic);
    static QStringList ShownTexts();
    static void Reset();

private:
    static bool IsAutomatic();
    static void Record(const QString& text);

    static inline bool s_bAutomatic = false;
    static inline std::deque<QMessageBox::StandardButton> s_answers;
    static inline std::deque<QString> s_fileNames;
    static inline QStringList s_shown;
};
