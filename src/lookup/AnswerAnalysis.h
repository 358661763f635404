#pragma once

#include <cstdint>

class CDomainInfo;

// Turns a fresh WHOIS answer into the text the user reads and decides from the text alone
// whether the name is taken, available or undecided. Nothing here reads a setting: what to
// strip comes as an argument, so the same answer always gives the same text and verdict.

// Whether the registries' disclaimers leave the text ("Strip Output").
enum class Strip { No, Yes };

// The worker's cleaning of a fresh record text: line ends, the registrar's advertising sentence,
// then StripDisclaimers when `strip` says so.
void CleanAnswer(CDomainInfo& record, Strip strip);
// Removes an opening policy notice, the registries' disclaimers known by their exact text and
// the notice lines AnalyseAnswer skips. Every field of the record
// and everything AnalyseAnswer reads is kept, so stripping loses no data and never changes the
// verdict, also when a stored text is analysed again.
void StripDisclaimers(CDomainInfo& record);
// Whether the server answered the query (with a verdict or a failure of its own), or throttled
// this client: a rate limit, a quota, "try again later"; for RDAP a 429, or a 503 that names a
// Retry-After. A throttle is about the server.
enum class AnswerKind { Answered, Throttled };

// Sets m_nStatus from m_strInfo: an RDAP record by RdapRecord::Verdict; a WHOIS answer skipping
// the program's first line and the registries' notices: STATUS_TAKEN for a registration record,
// `defaultStatus` when the server refused or could not serve the query, STATUS_AVAILABLE when it
// says the name is not registered, else `defaultStatus`; then counts failures in a row from
// m_nPrevStatus. m_strInfo is not changed. Refusal wording (a limit reached, a quota used up,
// "try again later") never lets an answer read as available, whatever else it says.
AnswerKind AnalyseAnswer(CDomainInfo& record, std::uint8_t defaultStatus);
// The status of an entry read from a document, which stores texts but not statuses.
void AnalyseStoredAnswer(CDomainInfo& record);
