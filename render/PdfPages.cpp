#include "render/PdfPages.h"

#include "render/ListingPainter.h"
#include "render/PagePainter.h"

#include <QPageLayout>

#include <utility>

namespace zl::render {

namespace {

// Points per 300-dpi dot: the page content is drawn in dots.
constexpr double kPointsPerDot = 72.0 / 300;

void AppendNumbers(std::string& out, std::initializer_list<double> numbers) {
    for (double number : numbers) {
        AppendNumber(out, number);
        out += ' ';
    }
}

// One code of a literal string.
void AppendCode(std::string& out, unsigned char code) {
    switch (code) {
    case '(':
    case ')':
    case '\\':
        out += '\\';
        out += static_cast<char>(code);
        return;
    case '\r':
        out += "\\r";
        return;
    case '\n':
        out += "\\n";
        return;
    default:
        out += static_cast<char>(code);
    }
}

} // namespace

PdfPages::PdfPages(PdfWriter& writer, PdfFonts& fonts, const ListingFaces& faces, PaperSize paper)
    : writer_(writer), fonts_(fonts), faces_(faces), paper_(std::move(paper)),
      tree_(writer.Reserve()) {}

void PdfPages::Add(const Page& page) {
    const PaperSize& paper = page.paper.width > 0 && page.paper.height > 0 ? page.paper : paper_;
    const QRect box = LayoutOf(paper, page.landscape).fullRectPoints();
    const std::string mediaBox =
        "[0 0 " + std::to_string(box.width()) + " " + std::to_string(box.height()) + "]";
    if (mediaBox_.empty())
        mediaBox_ = mediaBox;
    const int content = writer_.Reserve();
    writer_.WriteStream(content,
                        Content(page, box.width() / kPointsPerDot, box.height() / kPointsPerDot));
    const int object = writer_.Reserve();
    writer_.WriteObject(object, "<</Type/Page/Parent " + std::to_string(tree_) + " 0 R" +
                                    (mediaBox != mediaBox_ ? "/MediaBox" + mediaBox : "") +
                                    "/Contents " + std::to_string(content) + " 0 R>>");
    pages_.push_back(object);
}

void PdfPages::Finish() {
    if (pages_.empty())
        Add(Page{paper_, false, {}, {}});
    std::string kids, fonts, forms;
    for (int page : pages_)
        kids += std::to_string(page) + " 0 R ";
    for (int font : fontsUsed_)
        fonts += "/F" + std::to_string(font) + " " + std::to_string(fonts_.ObjectOf(font)) + " 0 R";
    for (const auto& [drawing, form] : forms_)
        forms += "/B" + std::to_string(form) + " " + std::to_string(form) + " 0 R";
    writer_.WriteObject(tree_, "<</Type/Pages/Kids[" + kids + "]/Count " +
                                   std::to_string(pages_.size()) + "/MediaBox" + mediaBox_ +
                                   "/Resources<</Font<<" + fonts + ">>/XObject<<" + forms +
                                   ">>>>>>");
}

// The page's content in dots from its bottom left corner: the model's y runs
// down from the top, `height` below it.
std::string PdfPages::Content(const Page& page, double width, double height) {
    std::string content = "0.24 0 0 0.24 0 0 cm\n" + DrawRects(page, width, height);
    if (page.runs.empty())
        return content;
    content += "0 g\nBT\n";
    text_ = TextState{};
    for (const TextRun& run : page.runs)
        AppendRun(content, run, height);
    return content + "ET\n";
}

std::string PdfPages::DrawRects(const Page& page, double width, double height) {
    if (page.rects.empty())
        return {};
    std::string box = "[0 0 ";
    AppendNumbers(box, {width, height});
    box += "]";
    std::string drawing;
    double grey = -1;
    for (const ShadedRect& rect : page.rects) {
        if (PagePainter::Brightness(rect.shadePercent) != grey) {
            grey = PagePainter::Brightness(rect.shadePercent);
            AppendNumbers(drawing, {grey});
            drawing += "g\n";
        }
        AppendNumbers(drawing, {rect.x, height - rect.y - rect.height, rect.width, rect.height});
        drawing += "re f\n";
    }
    // A form for each drawing and box, the page's in dots.
    auto found = forms_.find(drawing + box);
    if (found == forms_.end()) {
        const int form = writer_.Reserve();
        writer_.WriteStream(form, drawing, "/Type/XObject/Subtype/Form/BBox" + box);
        found = forms_.emplace(drawing + box, form).first;
    }
    return "/B" + std::to_string(found->second) + " Do\n";
}

// The run as one string from its first cell, in as many pieces as it takes
// fonts; the horizontal scale makes the face's advance the cell. Glyphs of
// downloaded fonts are in dots already.
void PdfPages::AppendRun(std::string& content, const TextRun& run, double heightInDots) {
    const bool glyphs = run.glyphAdvance > 0;
    if (run.text.empty() || (!glyphs && (run.font.pitch <= 0 || run.font.height <= 0)))
        return;
    const double scale =
        glyphs ? 100 : CellStretch(run.font, faces_.FaceOf(FaceOf(run.font)).advance) * 100;
    if (scale != text_.scale) {
        text_.scale = scale;
        AppendNumbers(content, {scale});
        content += "Tz\n";
    }
    const double y = heightInDots - run.baseline;
    AppendNumbers(content, {run.x - text_.lineX, y - text_.lineY});
    content += "Td\n";
    text_.lineX = run.x;
    text_.lineY = y;
    const double size = glyphs ? 1 : EmDots(run.font);
    const std::shared_ptr<const BitmapGlyph> blank;
    bool open = false;
    for (std::size_t i = 0; i < run.text.size(); ++i) {
        const PdfFonts::Coded coded =
            glyphs ? fonts_.EncodeGlyph(i < run.glyphs.size() ? run.glyphs[i] : blank, run.text[i],
                                        run.glyphAdvance)
                   : fonts_.Encode(FaceOf(run.font), run.text[i]);
        if (coded.font != text_.font || size != text_.size) {
            if (open)
                content += ")Tj\n";
            text_.font = coded.font;
            text_.size = size;
            fontsUsed_.insert(coded.font);
            content += "/F" + std::to_string(coded.font) + " ";
            AppendNumbers(content, {size});
            content += "Tf\n(";
            open = true;
        } else if (!open) {
            content += '(';
            open = true;
        }
        AppendCode(content, coded.code);
    }
    content += ")Tj\n";
}

} // namespace zl::render
