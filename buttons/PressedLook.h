#pragma once

#include <QObject>

class ClickLabel;
class OutlineShape;

// Labels drawn as buttons turn dark red with their outline while a mouse button is held on them.
class PressedLook : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        ClickLabel *Label1 = nullptr;
        OutlineShape *Shape1 = nullptr;
        ClickLabel *Label4 = nullptr;
        OutlineShape *Shape4 = nullptr;
        ClickLabel *Label5 = nullptr;
        OutlineShape *Shape5 = nullptr;
        ClickLabel *Label6 = nullptr;
        OutlineShape *Shape6 = nullptr;
    };

    explicit PressedLook(const Controls &controls, QObject *parent = nullptr);

    void Label1_MouseDown(int Button, int Shift, double X, double Y);
    void Label1_MouseUp(int Button, int Shift, double X, double Y);
    void Label4_MouseDown(int Button, int Shift, double X, double Y);
    void Label4_MouseUp(int Button, int Shift, double X, double Y);
    void Label5_MouseDown(int Button, int Shift, double X, double Y);
    void Label5_MouseUp(int Button, int Shift, double X, double Y);
    void Label6_MouseDown(int Button, int Shift, double X, double Y);
    void Label6_MouseUp(int Button, int Shift, double X, double Y);

private:
    Controls m_c;
};
