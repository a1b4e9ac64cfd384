#pragma once

#include <QUrl>

// The help pages ship as local files in the program's folder, so they work offline.
namespace HelpPages {

// file URL of the help centre, or an invalid URL when the page is not installed
QUrl helpCenterUrl();
// file URL of the customer-service section of the help page
QUrl onlineServiceUrl();

// Open them in the default browser; returns whether the system accepted the request,
// and shows a message when it did not or when the page is missing.
bool openHelpCenter();
bool openOnlineService();

} // namespace HelpPages
