#pragma once

#include <array>

class ChannelScrollBar;
class ClickLabel;
class EtchedFrame;
class OutlineShape;
class PictureBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;
class QWidget;

// Every control of the main window, under the names the window's handlers use. Each widget's
// objectName is the same name, with the index in brackets for members of a control array.
struct frmQuorvinUi
{
    QCheckBox *Check1 = nullptr;
    PictureBox *Picture1 = nullptr; // palette container
    PictureBox *Picture8 = nullptr; // sample container
    EtchedFrame *Frame2 = nullptr;
    EtchedFrame *Frame3 = nullptr;
    EtchedFrame *Frame4 = nullptr;
    EtchedFrame *Frame5 = nullptr;
    EtchedFrame *Frame6 = nullptr;
    EtchedFrame *Frame7 = nullptr;
    EtchedFrame *Frame8 = nullptr;
    PictureBox *vorschau = nullptr; // scratch surface, outside the client area
    std::array<PictureBox *, 4> picMouse {};
    QTimer *tmrScreenColor = nullptr;

    // Frame2: per-channel decimal and hexadecimal fields
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr;
    QLineEdit *Text6 = nullptr;

    // Frame3: sliders, fixed swatches and channel bars
    std::array<ChannelScrollBar *, 3> HScroll1 {};
    PictureBox *Picture5 = nullptr;
    PictureBox *Picture2 = nullptr;
    PictureBox *Picture6 = nullptr;
    PictureBox *Picture3 = nullptr;
    PictureBox *Picture7 = nullptr;
    PictureBox *Picture4 = nullptr;
    QLabel *Label13 = nullptr;

    // Frame4: preview panes
    PictureBox *Picture11 = nullptr;
    PictureBox *picPreView = nullptr;

    // Frame5, Frame8, Frame6: codes and copy buttons
    QLineEdit *Text7 = nullptr;
    OutlineShape *Shape4 = nullptr;
    ClickLabel *Label4 = nullptr;
    QLineEdit *Text9 = nullptr;
    OutlineShape *Shape5 = nullptr;
    ClickLabel *Label5 = nullptr;
    QCheckBox *chkRGB = nullptr;
    QLineEdit *Text8 = nullptr;
    OutlineShape *Shape6 = nullptr;
    ClickLabel *Label6 = nullptr;

    // Frame7: eyedropper, random colour, toggles
    QLabel *lblInfo5 = nullptr; // lblInfo(5), the array's only member
    PictureBox *picScreenColor = nullptr;
    OutlineShape *Shape1 = nullptr;
    ClickLabel *Label1 = nullptr;
    OutlineShape *Shape2 = nullptr;
    ClickLabel *Label3 = nullptr;
    OutlineShape *Shape3 = nullptr;
    ClickLabel *Label7 = nullptr;
    OutlineShape *Line1 = nullptr;

    // Picture1: palette surfaces
    std::array<PictureBox *, 2> picColor {};

    // Picture8: sample
    std::array<QRadioButton *, 2> Option1 {};
    PictureBox *Picture9 = nullptr;
    ClickLabel *Label2 = nullptr;

    // Builds every control into the window as the definition gives it.
    void setupUi(QWidget *frmQuorvin);
};
