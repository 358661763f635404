#pragma once

#include "ModalDriver.h"

#include "core/DataFolder.h"
#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "view/UserPrompt.h"

#include "support/CleanProgram.h"
#include "support/ListNames.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Clean settings and data folder, the default TLD table, an empty list and file dialogs that
// return what the test queues.
class NamesTestFixture : public testing::Test {
protected:
    void SetUp() override
    {
        ResetToCleanProgram();
        tlds.ClearTLDList();
        tlds.FillDefaults();
        doc.SetMaxEntries(3000);
    }

    void TearDown() override { CancelModalWatches(); }

    QByteArrayList Names() const { return ListNames(doc); }

    // Writes a file in the test's temporary folder and returns its path.
    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_files.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            ADD_FAILURE() << "could not write " << path.toStdString();
        }
        return path;
    }

    static QByteArray ReadDataFile(const QString& name)
    {
        QFile file(DataFolder::FilePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // Ticks exactly the TLDs named, by their texts in the list (" COM").
    static void Tick(QListWidget& list, const QStringList& tlds)
    {
        for (int row = 0; row < list.count(); ++row) {
            const bool ticked = tlds.contains(list.item(row)->text().trimmed());
            list.item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        }
    }

    static QStringList Ticked(const QListWidget& list)
    {
        QStringList ticked;
        for (int row = 0; row < list.count(); ++row) {
            if (list.item(row)->checkState() == Qt::Checked) {
                ticked.append(list.item(row)->text());
            }
        }
        return ticked;
    }

    QByteArrayList FlaggedTLDs() const
    {
        QByteArrayList flagged;
        for (const auto& entry : tlds.GetEntries()) {
            if (entry->m_bUseForNew) {
                flagged.append(entry->m_strTLD);
            }
        }
        return flagged;
    }

    CTLDList tlds;

    CDomainDoc doc{tlds, [](CDomainInfo&) {
                   }};

private:
    QTemporaryDir m_files;
};
