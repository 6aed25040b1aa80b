#pragma once
#include "tests/support/TempDir.h"
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

#include "framework/Bitmap.h"
#include "framework/TraductorSource.h"
#include "framework/qt/UiText.h"
#include "jigsaw/document/Picture.h"
#include "jigsaw/document/PieceSheet.h"
#include "jigsaw/document/Puz.h"

namespace testfix {

using qvtest::TempDir;

// A picture whose pixels all differ from their neighbours, so a misplaced
// pixel shows, and never white, so a drawn pixel differs from the paper.
inline fw::Bitmap noisePicture(int w, int h)
{
    fw::Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.setPixel(x, y, (static_cast<uint32_t>(x * 7919 + y * 104729 + x * y) & 0x7F7F7F) | 0x010101);
    return bmp;
}

// The sample photograph of the repository, for prints a person looks at.
inline fw::Bitmap samplePicture()
{
    fw::Bitmap bmp;
    const auto path = std::filesystem::path(QV_SOURCE_DIR) / "jigsaw/resources/pictures/rocket.jpg";
    EXPECT_TRUE(qv::readPictureFile(path, bmp).ok());
    return bmp;
}

// A puzzle cut from the picture into rows x cols, sheets rendered, every
// piece lying at its place in the picture (as a finished puzzle lies).
inline void makePuzzle(qv::Puz& puz, fw::Bitmap picture, int rows, int cols, uint32_t seed,
                       qv::EdgeStyle edges = qv::EdgeStyle::Blend)
{
    puz.Reset();
    puz.pictureRect = {0, 0, static_cast<int16_t>(picture.width()), static_cast<int16_t>(picture.height())};
    puz.picture = std::move(picture);
    puz.rows[0] = static_cast<int16_t>(rows);
    puz.columns[0] = static_cast<int16_t>(cols);
    puz.stockSizeCount = 1;
    puz.sizeIndex = 0;
    puz.cuttingSeed = puz.generator().seed(seed);
    ASSERT_TRUE(puz.MakePiezas().ok());
    qv::SheetOptions sheets;
    sheets.edges = edges;
    ASSERT_TRUE(qv::renderSheets(puz, sheets).ok());
    // Cutting turns pieces at random; a finished puzzle has them all upright.
    for (qv::SPuz& p : puz.pieces) {
        ASSERT_TRUE(qv::TurnPiece(puz, p, (4 - p.rotation) & 3).ok());
        p.placeAt(p.cellOrigin.x, p.cellOrigin.y);
    }
}

// The English texts from their source, for screenshots a person reads.
inline void useEnglishTexts()
{
    std::ifstream in(std::filesystem::path(QV_SOURCE_DIR) / "jigsaw/resources/lang/QV21eng.txt", std::ios::binary);
    const auto source = fw::parseDixSource(std::string(std::istreambuf_iterator<char>(in), {}), "QV21eng.txt");
    auto texts = std::make_shared<std::map<std::pair<int, int>, std::string>>();
    for (const fw::DixEntry& e : source.entries)
        if (e.variant == 0 && e.context == 0)
            (*texts)[{e.kind, e.id}] = e.text;
    fw::UiText::setSource([texts](int kind, int id) -> std::string {
        auto it = texts->find({kind, id});
        if (it == texts->end())
            return {};
        int k = 0, i = 0;
        if (!it->second.empty() && it->second[0] == '#' && std::sscanf(it->second.c_str(), "#%d,%d", &k, &i) == 2) {
            auto ref = texts->find({k, i});
            return ref == texts->end() ? std::string() : ref->second;
        }
        return it->second;
    });
}

}  // namespace testfix
