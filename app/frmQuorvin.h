#pragma once

#include "app/frmQuorvinUi.h"
#include "color/PreviewFlags.h"
#include "platform/PlatformServices.h"
#include "sources/ColorModul.h"

#include <QWidget>

#include <memory>

class ColorUpdate;
class CopyButtons;
class PalettePicker;
class PressedLook;
class PreviewToggles;
class RandomColor;
class SamplePreview;
class ScreenEyedropper;

// The program's one window. It builds its controls, hands them to the subsystems that own
// the handlers, and wires every event to its handler.
class frmQuorvin : public QWidget
{
    Q_OBJECT
public:
    explicit frmQuorvin(PlatformServices services, QWidget *parent = nullptr);
    ~frmQuorvin() override;

    // The start-up sequence; false when another copy already runs and this one must end.
    bool Form_Load();

    void Form_MouseDown(int Button, int Shift, double X, double Y);
    void Form_MouseMove(int Button, int Shift, double X, double Y);
    void Check1_Click();

    frmQuorvinUi ui;
    PreviewFlags flags;
    ColorModul colorModul;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void wireEvents();
    void drawPalettes();
    // Client coordinates of a pointer event in twips.
    QPointF clientTwips(const QMouseEvent *event) const;

    PlatformServices m_services;
    float m_MStartX = 0;
    float m_MStartY = 0;

    // The handlers hold references to the services, the flags and the state above. Declared
    // after them, they go first; as children of the window alone they would outlive them.
    std::unique_ptr<ColorUpdate> m_colorUpdate;
    std::unique_ptr<SamplePreview> m_samplePreview;
    std::unique_ptr<PalettePicker> m_palettePicker;
    std::unique_ptr<ScreenEyedropper> m_screenEyedropper;
    std::unique_ptr<RandomColor> m_randomColor;
    std::unique_ptr<CopyButtons> m_copyButtons;
    std::unique_ptr<PressedLook> m_pressedLook;
    std::unique_ptr<PreviewToggles> m_previewToggles;
};
