// The Animation dialog: four sliders for the card, undo, undo-all and replay speeds,
// each shown reversed (50 - speed, so right is faster). Only OK stores them, and only
// the ones the user moved.
#pragma once

#include <QDialog>
#include <array>

class Context;
class QGroupBox;
class QPushButton;
class QSlider;

class frmAnimation : public QDialog {
    Q_OBJECT
public:
    explicit frmAnimation(Context &ctx, QWidget *parent = nullptr);
    // False when opening failed (the error was reported): the dialog must not be shown.
    bool loaded() const { return loaded_; }

    // Sets the sliders from the stored speeds, writes the captions, plays the dialog's sound.
    void Form_Load();
    // Writes the four captions from the sliders' values.
    void Slider_Scroll();
    void cmdOK_Click();
    void cmdCancel_Click();

    // Indices 1..4; element 0 is unused.
    std::array<QGroupBox *, 5> Frame{};
    std::array<QSlider *, 5> Slider{};
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    Context &ctx_;
    bool loaded_ = false;
    std::array<int, 5> loadedAt_{}; // where each slider stood after loading
};
