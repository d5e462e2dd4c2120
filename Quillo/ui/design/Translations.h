#pragma once

// The interface's texts in the user's language. Counted texts ("%n item(s)") need a translation
// even in English to read "1 item" and "2 items": the English plural forms ship compiled in and
// are installed on the application first, so they answer wherever no other language does.
namespace Translations {

// Installs them on the running application, once; later calls do nothing. GUI thread.
void install();

} // namespace Translations
