#pragma once

#include <string>
#include <vector>

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "store/StoreServices.h"

// `--exclude PATTERN`: what one run of scan, clean or size leaves out besides the keep list.
namespace Exclusions {

QCommandLineOption option();

// The patterns given, as platform/PathPatterns.h reads them: a name pattern ("*.iso",
// "node_modules") and an absolute or "~" one as given, a relative one with a "/" made absolute
// from the working folder.
std::vector<std::string> given(const QCommandLineParser& parsed);

// `services` with the patterns given added to what its scans leave out and its cleans refuse.
StoreServices addedTo(StoreServices services, const QCommandLineParser& parsed);

} // namespace Exclusions
