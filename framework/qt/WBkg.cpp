#include "framework/qt/WBkg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <algorithm>

#include "framework/Bmp.h"
#include "framework/qt/Text.h"
#include "framework/qt/UiText.h"
#include "framework/qt/WBkgCache.h"
#include "framework/qt/WBkgField.h"

namespace fw {

namespace {
constexpr int kMargin = 12;
constexpr int kSampleW = 180;
constexpr int kSampleH = 110;

std::string textOr(int id, const char* fallback)
{
    std::string t = UiText::lookup(1, id);
    return t.empty() ? std::string(fallback) : t;
}

Status toolkitRead(const std::filesystem::path& file, Bitmap& out)
{
    QImage image(QString::fromStdString(file.string()));
    if (image.isNull())
        return Status(msg::BadPictureFile, file.filename().string());
    image = image.convertToFormat(QImage::Format_RGB32);
    Bitmap bmp(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        std::transform(line, line + image.width(), bmp.row(y), [](uint32_t p) { return p & 0xFFFFFF; });
    }
    out = std::move(bmp);
    return {};
}

std::filesystem::path askWithDialog(QWidget* parent)
{
    const QString file = QFileDialog::getOpenFileName(parent, QString(), QString(),
                                                      QStringLiteral("JPEG (*.jpg *.jpeg *.jpe *.jfif)"));
    return file.isEmpty() ? std::filesystem::path() : std::filesystem::path(file.toStdString());
}

// A darker shade of a colour, the tint of a texture's dark pixels when no
// second colour was chosen yet.
uint32_t darker(uint32_t colour)
{
    return ((colour >> 2) & 0x3F3F3F);
}

void fillSwatch(QLabel* label, uint32_t colour)
{
    if (!label)
        return;
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(pixelFromColorRef(colour)));
    label->setPalette(pal);
}
}  // namespace

Status WBkg::readWithToolkit(const std::filesystem::path& file, Bitmap& out) { return toolkitRead(file, out); }

Status WBkg::read(const std::filesystem::path& file, Bitmap& out) const
{
    return m_places.reader ? m_places.reader(file, out) : toolkitRead(file, out);
}

WBkg::WBkg(QWidget* parent, Background& background, Profile& profile, Places places)
    : WBaseInfo(parent), m_background(background), m_profile(profile), m_places(std::move(places)),
      m_first(background.First()), m_second(background.Second()), m_textureFile(background.textureFile())
{
    setTitle(textOr(IdField - 1, "Table background"));
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(m_places.texturesDir, ec)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext == ".jpg" || ext == ".jpeg")
            m_textures.push_back(entry.path());
    }
    std::sort(m_textures.begin(), m_textures.end());
    if (!m_textureFile.empty())
        read(m_textureFile, m_texture);
    layOut();
    showChoice();
}

bool WBkg::usesSecond() const { return isChecked(IdUseSecond); }

int WBkg::listIndexOf(const std::filesystem::path& file) const
{
    if (file.empty())
        return 0;
    auto it = std::find(m_textures.begin(), m_textures.end(), file);
    return it == m_textures.end() ? static_cast<int>(m_textures.size()) + 1 : static_cast<int>(it - m_textures.begin()) + 1;
}

void WBkg::layOut()
{
    int y = kMargin;
    addText(IdHint, QRect(kMargin, y, FieldWidth, 20),
            textOr(IdHint, "Left click: the first colour. Right click: the second colour."));
    y += 26;
    m_field = new WBkgField(this);
    m_field->setGeometry(kMargin, y, FieldWidth, FieldHeight);
    m_field->setField(LoadColourField(m_profile, m_places.puzzlesRoot, FieldWidth, FieldHeight, m_places.resolution,
                                      &m_fieldComputed));
    m_field->show();
    connect(m_field, &WBkgField::picked, this, [this](uint32_t colour, int which) { picked(colour, which); });
    y += FieldHeight + 10;

    const int sampleX = kMargin + FieldWidth - kSampleW;
    QLabel* sampleView = addText(IdSample, QRect(sampleX, y, kSampleW, kSampleH), {});
    sampleView->setFrameStyle(QFrame::Box | QFrame::Plain);
    for (int id : {IdFirst, IdSecond}) {
        QLabel* swatch = addText(id, QRect(kMargin, y, 40, 24), {});
        swatch->setAutoFillBackground(true);
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        if (id == IdFirst)
            addText(0, QRect(kMargin + 48, y, 160, 24), textOr(IdFirst, "First colour"));
        else
            addCheck(IdUseSecond, QRect(kMargin + 48, y, 160, 24), textOr(IdSecond, "Second colour"),
                     m_second != Background::None);
        y += 30;
    }
    std::vector<std::string> names{textOr(IdTexture, "(no texture)")};
    for (const auto& t : m_textures)
        names.push_back(t.stem().string());
    names.push_back(textOr(IdTexture + 100, "Other picture..."));
    addText(0, QRect(kMargin, y, 70, 24), textOr(IdTexture + 200, "Texture:"));
    addList(IdTexture, QRect(kMargin + 74, y, 130, 26), names, listIndexOf(m_textureFile));
    if (!m_textureFile.empty() && listIndexOf(m_textureFile) > static_cast<int>(m_textures.size()))
        static_cast<QComboBox*>(control(IdTexture))->setItemText(static_cast<int>(m_textures.size()) + 1,
                                                                 toQString(m_textureFile.filename().string()));
    y += 34;
    addCheck(IdFrameOff, QRect(kMargin, y, 220, 24), textOr(IdFrameOff, "No outline around the picture"),
             m_background.frameOff() != 0);
    y = std::max(y + 34, kMargin + 26 + FieldHeight + 10 + kSampleH + 12);
    addButton(IdOk, QRect(kMargin + FieldWidth - 2 * 96 + 10, y, 86, 28), {}, true);
    addButton(IdCancel, QRect(kMargin + FieldWidth - 96 + 10, y, 86, 28));
    setClientSize(FieldWidth + 2 * kMargin, y + 40);
    if (m_second == Background::None)
        m_second = darker(m_first);
}

void WBkg::picked(uint32_t colour, int which)
{
    if (which == 0) {
        m_first = colour;
    } else {
        m_second = colour;
        setChecked(IdUseSecond, true);  // picking a second colour means using it
    }
    showChoice();
}

void WBkg::chooseTexture(int index)
{
    const int others = static_cast<int>(m_textures.size()) + 1;
    std::filesystem::path file;
    if (index > 0 && index < others)
        file = m_textures[static_cast<size_t>(index - 1)];
    else if (index == others)
        file = m_places.asker ? m_places.asker(this) : askWithDialog(this);
    Bitmap texture;
    if (!file.empty() && !read(file, texture).ok())
        file.clear();  // a picture that does not decode leaves no texture
    m_textureFile = file;
    m_texture = std::move(texture);
    if (!m_texture.isNull())
        setChecked(IdUseSecond, true);  // a texture is tinted between the two colours
    m_updating = true;
    setSelection(IdTexture, listIndexOf(m_textureFile));
    if (listIndexOf(m_textureFile) == others)
        static_cast<QComboBox*>(control(IdTexture))->setItemText(others, toQString(m_textureFile.filename().string()));
    m_updating = false;
    showChoice();
}

Bitmap WBkg::sample() const
{
    Background b(m_background.bitsPerPixel());
    b.Set(m_first, usesSecond() ? m_second : Background::None, isChecked(IdFrameOff) ? 1 : 0);
    if (!m_texture.isNull())
        b.setTexture(m_texture, m_textureFile);
    Bitmap bmp(kSampleW, kSampleH);
    b.Paint(bmp, 0, 0, kSampleW, kSampleH, kSampleH);
    // A small picture area with its outline, as the table shows it.
    const int px = kSampleW / 3, py = kSampleH / 3, pw = kSampleW / 3, ph = kSampleH / 3;
    for (int y = py; y < py + ph; ++y)
        for (int x = px; x < px + pw; ++x)
            bmp.setPixel(x, y, 0x7090B0 ^ (((x / 6 + y / 6) & 1) ? 0x101010 : 0));
    b.PaintOutline(bmp, px, py, pw, ph);
    return bmp;
}

void WBkg::showChoice()
{
    fillSwatch(qobject_cast<QLabel*>(control(IdFirst)), m_first);
    fillSwatch(qobject_cast<QLabel*>(control(IdSecond)), m_second);
    control(IdSecond)->setEnabled(usesSecond());
    if (auto* view = qobject_cast<QLabel*>(control(IdSample))) {
        const Bitmap bmp = sample();
        const QImage image(reinterpret_cast<const uchar*>(bmp.bits()), bmp.width(), bmp.height(), bmp.width() * 4,
                           QImage::Format_RGB32);
        view->setPixmap(QPixmap::fromImage(image.copy()));
    }
}

bool WBkg::OnControl(const ControlEvent& event)
{
    if (m_updating)
        return true;
    if (event.id() == IdTexture)
        chooseTexture(selection(IdTexture));
    else
        showChoice();
    return true;
}

bool WBkg::OnCommand(const CommandEvent& event)
{
    if (event.command() == IdOk) {
        m_background.Set(m_first, usesSecond() ? m_second : Background::None, isChecked(IdFrameOff) ? 1 : 0);
        if (!m_texture.isNull())
            m_background.setTexture(m_texture, m_textureFile);
    }
    return WBaseInfo::OnCommand(event);
}

}  // namespace fw
