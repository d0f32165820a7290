#pragma once

#include "color/PreviewFlags.h"

#include <QObject>

#include <array>

class ChannelScrollBar;
class ClickLabel;
class PictureBox;
class QCheckBox;
class QLineEdit;
class QRadioButton;

// The update that brings every display in line with the three channel sliders, which are the
// only store of the current colour.
class ColorUpdate : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        std::array<ChannelScrollBar *, 3> HScroll1 {};
        PictureBox *Picture2 = nullptr; // red bar
        PictureBox *Picture3 = nullptr; // green bar
        PictureBox *Picture4 = nullptr; // blue bar
        QLineEdit *Text1 = nullptr; // red hex
        QLineEdit *Text2 = nullptr; // red dec
        QLineEdit *Text3 = nullptr; // green dec
        QLineEdit *Text4 = nullptr; // green hex
        QLineEdit *Text5 = nullptr; // blue dec
        QLineEdit *Text6 = nullptr; // blue hex
        PictureBox *Picture11 = nullptr; // preview pane A
        PictureBox *picPreView = nullptr; // preview pane B
        ClickLabel *Label2 = nullptr; // sample text
        PictureBox *Picture9 = nullptr; // sample background
        std::array<QRadioButton *, 2> Option1 {};
        QCheckBox *chkRGB = nullptr;
        QLineEdit *Text7 = nullptr; // decimal code
        QLineEdit *Text8 = nullptr; // HTML code
        QLineEdit *Text9 = nullptr; // colour number
    };

    ColorUpdate(const Controls &controls, const PreviewFlags &flags, QObject *parent = nullptr);

    void HScroll1_Change(int Index);
    void HScroll1_Scroll(int Index);

private:
    void followWholeColor();

    Controls m_c;
    bool m_wholeColorPending = false;
    const PreviewFlags &m_flags;
};
