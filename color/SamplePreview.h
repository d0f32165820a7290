#pragma once

#include "color/PreviewFlags.h"

#include <QObject>

class ClickLabel;
class PictureBox;
class QCheckBox;
class QLineEdit;

// The way back from the sample: a click on its text or background shows that element's codes
// and puts its colour into the preview panes that are on, moving no slider.
class SamplePreview : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        ClickLabel *Label2 = nullptr;
        PictureBox *Picture9 = nullptr;
        PictureBox *Picture11 = nullptr;
        PictureBox *picPreView = nullptr;
        QCheckBox *chkRGB = nullptr;
        QLineEdit *Text7 = nullptr;
        QLineEdit *Text8 = nullptr;
        QLineEdit *Text9 = nullptr;
    };

    SamplePreview(const Controls &controls, const PreviewFlags &flags, QObject *parent = nullptr);

    void Label2_Click();
    void Picture9_Click();

private:
    Controls m_c;
    const PreviewFlags &m_flags;
};
