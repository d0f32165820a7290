#pragma once

// Qt's own texts (the context menus of sliders and text fields, standard buttons) in German, as
// the window's own texts are, whatever language the user's session asks for.
class QtGermanTexts
{
public:
    // Installs Qt's German catalogue on the running application; false where it is not installed
    // (then Qt keeps its English texts).
    static bool install();
    // Installs it as the first context menu opens, the only place this window shows Qt's texts;
    // a start that opens none does not read the catalogue.
    static void installWithFirstMenu();
};
