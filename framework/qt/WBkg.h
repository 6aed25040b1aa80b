#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "framework/Background.h"
#include "framework/Profile.h"
#include "framework/Status.h"
#include "framework/qt/WBaseInfo.h"

namespace fw {

class WBkgField;

// The background window: the two colours of the table picked from the
// colour field (left click the first, right click the second), whether the
// second is used (a blend, or the tint of a texture), the texture (none, one
// of the program's own, or any JPEG picture the player picks) and whether
// the outline of the picture area is drawn. A sample shows the choice as the
// table will look. OK puts the choice into the background; Cancel leaves it.
//
//   fw::WBkg w(playWindow, background, profile, {puzzlesRoot, texturesDir, depth});
//   if (w.RunModal() == fw::WBaseInfo::IdOk) { repaint; store background.Text() with the puzzle }
class WBkg : public WBaseInfo {
    Q_OBJECT

public:
    // Decodes a texture picture; the program hands it the JPEG decoding of
    // its pictures.
    using PictureReader = std::function<Status(const std::filesystem::path&, Bitmap&)>;
    // Asks for a picture file of the player's (the "Other picture" entry).
    using FileAsker = std::function<std::filesystem::path(QWidget*)>;
    // Where the window finds its pictures, and how it reads and asks for
    // them (null: the window system's reader and file dialog).
    struct Places {
        std::filesystem::path puzzlesRoot;  // where "picclr.bmp" lies
        std::filesystem::path texturesDir;  // the program's own textures (*.jpg)
        int resolution = 32;                // planes x bits a pixel of the display
        PictureReader reader = nullptr;
        FileAsker asker = nullptr;
    };
    enum : int {
        IdField = 3001,
        IdFirst = 3002,
        IdSecond = 3003,
        IdUseSecond = 3004,
        IdTexture = 3005,
        IdFrameOff = 3006,
        IdSample = 3007,
        IdHint = 3008,
    };
    static constexpr int FieldWidth = 420;
    static constexpr int FieldHeight = 160;

    // The window system's picture reader, the one used when none is given.
    static Status readWithToolkit(const std::filesystem::path& file, Bitmap& out);

    WBkg(QWidget* parent, Background& background, Profile& profile, Places places);

    uint32_t first() const { return m_first; }
    uint32_t second() const { return m_second; }
    bool usesSecond() const;
    const std::filesystem::path& textureFile() const { return m_textureFile; }
    // The textures offered, in list order after "(none)".
    const std::vector<std::filesystem::path>& textures() const { return m_textures; }
    // Whether the colour field was computed (and cached) rather than loaded.
    bool fieldComputed() const { return m_fieldComputed; }
    WBkgField* field() const { return m_field; }
    // Chooses the list entry (0 none, 1.. ours, last: a file of the player's).
    void chooseTexture(int index);

protected:
    bool OnCommand(const CommandEvent& event) override;
    bool OnControl(const ControlEvent& event) override;

private:
    void layOut();
    void picked(uint32_t colour, int which);
    void showChoice();
    Bitmap sample() const;
    int listIndexOf(const std::filesystem::path& file) const;
    Status read(const std::filesystem::path& file, Bitmap& out) const;

    Background& m_background;
    Profile& m_profile;
    Places m_places;
    uint32_t m_first;
    uint32_t m_second;
    std::filesystem::path m_textureFile;
    Bitmap m_texture;
    std::vector<std::filesystem::path> m_textures;
    WBkgField* m_field = nullptr;
    bool m_fieldComputed = false;
    bool m_updating = false;
};

}  // namespace fw
