#include "ui/about_window.h"

#include <QPainter>
#include <QPushButton>
#include <random>

#include "core/language.h"
#include "system/file_helpers.h"
#include "ui/control_registry.h"
#include "ui/icons.h"

namespace tovel {

namespace {

constexpr std::array<std::array<const char*, 7>, 3> kInterjections = {{
    {"buenu", "Ah!", "Oh!", "vaja!", "hum!", "mmm..", "I vés!"},
    {"Ok", "Ah!", "Oh!", "Bah!", "hum!", "mmm..", "Done"},
    {"bueno", "¡Ah!", "¡Oh!", "psé", "¡hum!", "mmm..", "¡vaya!"},
}};
constexpr MessageTriple kAboutTitle = {"Quant a ", "About ", "Respecto "};

void Write(FontHolder& font, DrawSurface& surface, const char* face, int height, int width,
           bool bold, QColor colour, int x, int y, const std::string& text) {
    font.SetFace(face);
    font.SetSize(height, width);
    font.SetBold(bold);
    surface.ink = colour;
    TextAt(surface, x, y, text);
}

}  // namespace

std::string Interjection(std::size_t index) {
    return kInterjections[static_cast<std::size_t>(LanguageIndex())][index % 7];
}

AboutWindow::AboutWindow(const std::string& description, const std::string& version,
                         std::size_t randomIndex, QWidget* parent)
    : QDialog(parent), m_surface(QSize(312, 240), QColor(209, 255, 255)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(312, 240);
    move(400, 200);
    const std::string program = ProgramName();
    const std::string year = FileYear(ProgramFolder() + "/" + program);
    setWindowTitle(QString::fromStdString(std::string(Select(kAboutTitle)) + program + "..."));
    SetWindowIconByName(*this, "AReacIcon");

    DrawIconAt(m_surface, 134, 90, "AReacIcon", QSize(32, 32));
    FontHolder font;
    font.Init(m_surface);
    const QColor makerColour(0, 100, 250);
    if (!version.empty())
        Write(font, m_surface, "arial", 16, 7, true, QColor(0, 111, 0), 250, 24, version);
    Write(font, m_surface, "arial", 16, 6, false, QColor(220, 100, 0), 20, 60, description);
    Write(font, m_surface, "arial", 12, 6, false, makerColour, 80, 126,
          std::string(kMakerName) + " - " + year);
    // The project has no web or mail address yet, so neither line is shown.
    Write(font, m_surface, "tahoma", 36, 16, true, makerColour, 80, 10, program);
    font.Done();

    m_button = new QPushButton(QString::fromStdString(Interjection(randomIndex)), this);
    m_button->setObjectName(ControlName(1));
    m_button->setGeometry(122, 180, 70, 24);
    connect(m_button, &QPushButton::clicked, this, &QDialog::close);
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface.image);
}

void ShowAbout(const std::string& description, const std::string& version) {
    static std::mt19937 random(std::random_device{}());
    auto* about = new AboutWindow(description, version,
                                  std::uniform_int_distribution<std::size_t>(0, 6)(random));
    about->show();
}

}  // namespace tovel
