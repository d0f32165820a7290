#include "app/ButtonDescriptions.h"

#include "app/frmQuorvinUi.h"
#include "widgets/ClickLabel.h"
#include "widgets/ClickLabelAccessible.h"

namespace {

void describe(ClickLabel *label, const QString &name, const QString &description)
{
    label->setAccessibleName(name);
    label->setAccessibleDescription(description);
}

} // namespace

void describeButtons(const frmQuorvinUi &ui)
{
    ClickLabelAccessible::install();
    // The three copy labels share the caption "Kopie"; only the name tells them apart.
    describe(ui.Label4, QStringLiteral("Kopie RGB-Code"),
        QStringLiteral("Kopiert den RGB-Code in die Zwischenablage"));
    describe(ui.Label5, QStringLiteral("Kopie Dezimal-Code"),
        QStringLiteral("Kopiert den Farbwert als Dezimalzahl in die Zwischenablage"));
    describe(ui.Label6, QStringLiteral("Kopie HTML-Code"),
        QStringLiteral("Kopiert den HEX/HTML-Code in die Zwischenablage"));
    describe(
        ui.Label1, QStringLiteral("Zufallsfarbe"), QStringLiteral("Setzt eine zufällige Farbe"));
    describe(ui.Label3, QStringLiteral("Vorschau A"),
        QStringLiteral("Schaltet um, ob die linke Vorschau der Farbe folgt"));
    describe(ui.Label7, QStringLiteral("Vorschau B"),
        QStringLiteral("Schaltet um, ob die rechte Vorschau der Farbe folgt"));
}
