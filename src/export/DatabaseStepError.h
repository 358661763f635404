#pragma once

#include <QString>

// The steps of the database export, named as its error messages name them.
namespace DatabaseStep {
inline constexpr char kCreatingDatabase[] = "Creating Database";
inline constexpr char kCreatingTable[] = "Creating Table";
inline constexpr char kCreatingField[] = "Creating Field";
inline constexpr char kCreatingIndex[] = "Creating Index";
inline constexpr char kAppendTable[] = "Append Table";
inline constexpr char kOpeningTable[] = "Opening Table";
inline constexpr char kCreatingRecordset[] = "Creating Recordset";
inline constexpr char kOpeningRecordset[] = "Opening Recordset";
} // namespace DatabaseStep

// "Error: <step>\r\n<description>". An engine that ran out of memory is described as "Memory";
// one that gave no description gets a sentence saying so.
QString DatabaseStepError(const char* step, int errorCode, const QString& description);
