#pragma once
// The about window: the program's name, version, a description, the maker line with the year
// of the program file, the web line and a button whose caption is a random interjection.

#include <QDialog>
#include <string>

#include "ui/draw_toolkit.h"

class QPushButton;

namespace tovel {

// The project's own name, as the about window shows it.
constexpr const char* kMakerName = "tovel";

// One of the seven interjections of the current language; index from 0 to 6.
std::string Interjection(std::size_t index);

class AboutWindow : public QDialog {
    Q_OBJECT

  public:
    // randomIndex picks the interjection (0 to 6).
    AboutWindow(const std::string& description, const std::string& version, std::size_t randomIndex,
                QWidget* parent = nullptr);
    QPushButton* Button() const { return m_button; }
    const QImage& Surface() const { return m_surface.image; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    DrawSurface m_surface;
    QPushButton* m_button = nullptr;
};

// Opens the about window with the program's description and version.
void ShowAbout(const std::string& description, const std::string& version);

}  // namespace tovel
