#include "view/UserPrompt.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace {

QString Title()
{
    return QCoreApplication::applicationName();
}

// The program's texts use CR LF line ends; a message box wants plain line feeds.
QString Shown(const QString& text)
{
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// Texts quote WHOIS records and documents, which may hold markup: always shown as typed.
QMessageBox::StandardButton ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, Title(), Shown(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return box.standardButton(box.clickedButton());
}

} // namespace

QMessageBox::StandardButton CUserPrompt::Question(QWidget* parent, const QString& text,
                                                  QMessageBox::StandardButtons buttons)
{
    Record(text);
    if (IsAutomatic()) {
        if (s_answers.empty()) {
            return QMessageBox::Cancel;
        }
        const QMessageBox::StandardButton answer = s_answers.front();
        s_answers.pop_front();
        return answer;
    }
    return ShowBox(parent, QMessageBox::Question, text, buttons);
}

void CUserPrompt::Information(QWidget* parent, const QString& text)
{
    Record(text);
    if (!IsAutomatic()) {
        ShowBox(parent, QMessageBox::Information, text, QMessageBox::Ok);
    }
}

void CUserPrompt::Warning(QWidget* parent, const QString& text)
{
    Record(text);
    if (!IsAutomatic()) {
        ShowBox(parent, QMessageBox::Warning, text, QMessageBox::Ok);
    }
}

QString CUserPrompt::OpenFileName(QWidget* parent, const QString& caption, const QString& initial,
                                  const QString& filter)
{
    Record(caption);
    if (IsAutomatic()) {
        if (s_fileNames.empty()) {
            return {};
        }
        QString name = s_fileNames.front();
        s_fileNames.pop_front();
        return name;
    }
    return QFileDialog::getOpenFileName(parent, caption, initial, filter);
}

QString CUserPrompt::SaveFileName(QWidget* parent, const QString& caption, const QString& initial,
                                  const QString& filter, const QString& defaultSuffix)
{
    if (IsAutomatic()) {
        return OpenFileName(parent, caption, initial, filter);
    }
    QFileDialog dialog(parent, caption, initial, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void CUserPrompt::SetNextAnswer(QMessageBox::StandardButton answer)
{
    s_bAutomatic = true;
    s_answers.push_back(answer);
}

void CUserPrompt::SetNextFileName(const QString& fileName)
{
    s_bAutomatic = true;
    s_fileNames.push_back(fileName);
}

void CUserPrompt::SetAutomatic(bool automatic)
{
    s_bAutomatic = automatic;
}

QStringList CUserPrompt::ShownTexts()
{
    return s_shown;
}

void CUserPrompt::Reset()
{
    s_bAutomatic = false;
    s_answers.clear();
    s_fileNames.clear();
    s_shown.clear();
}

bool CUserPrompt::IsAutomatic()
{
    return s_bAutomatic;
}

void CUserPrompt::Record(const QString& text)
{
    if (s_bAutomatic) {
        s_shown.append(text);
    }
}
