#pragma once

class CDomainDoc;
class QWidget;

// The commands of the "&Names" menu. Each runs its dialog modally over `parent`, changes the list
// only through the document's admission and then tells the views to rebuild once. Names are only
// appended, so lookups that are running go on undisturbed.

// "&Add Names..." (Ctrl+A): always enabled.
void RunAddNamesCommand(QWidget* parent, CDomainDoc& doc);

// "&Construct Names..." (Ctrl+K): always enabled.
void RunConstructNamesCommand(QWidget* parent, CDomainDoc& doc);

// "Wizard" (Ctrl+W): enabled only while the list is empty.
bool CanRunNewListWizard(const CDomainDoc& doc);
// Asks how the names will be made and, once the wizard has closed, starts the chosen command.
// Does nothing while the list has entries.
void RunNewListWizard(QWidget* parent, CDomainDoc& doc);
