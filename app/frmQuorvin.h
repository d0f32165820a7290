#pragma once

#include "app/frmQuorvinUi.h"
#include "color/PreviewFlags.h"
#include "platform/PlatformServices.h"
#include "sources/ColorModul.h"

#include <QWidget>

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

    ColorUpdate *colorUpdate() const { return m_colorUpdate; }
    RandomColor *randomColor() const { return m_randomColor; }

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

    ColorUpdate *m_colorUpdate = nullptr;
    SamplePreview *m_samplePreview = nullptr;
    PalettePicker *m_palettePicker = nullptr;
    ScreenEyedropper *m_screenEyedropper = nullptr;
    RandomColor *m_randomColor = nullptr;
    CopyButtons *m_copyButtons = nullptr;
    PressedLook *m_pressedLook = nullptr;
    PreviewToggles *m_previewToggles = nullptr;
};
