#include "cli/drawing.h"

#include "cli/headless.h"
#include "draw/chartpicture.h"
#include "platform/qt/pdfprinter.h"

namespace fh::cli {

namespace {

ChartFormat chartFormat(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Png:
        return ChartFormat::Png;
    case PictureFormat::Svg:
        return ChartFormat::Svg;
    case PictureFormat::Pdf:
        break;
    }
    return ChartFormat::Pdf;
}

class QtDrawing : public Drawing {
public:
    std::optional<std::string> chartFile(const DisplayList& chart, int width, int height, PictureFormat format,
                                         const std::string& footer) override
    {
        const auto bytes = fh::chartFile(chart, QSize(width, height), chartFormat(format), footer);
        if (!bytes)
            return std::nullopt;
        return bytes->toStdString();
    }

    std::unique_ptr<Printer> pdfFile(TextFiles& files, const std::string& path) override
    {
        return std::make_unique<PdfPrinter>(files, PrintTarget{path, {}, 1}, defaultPageLayout(), 1200);
    }

    std::unique_ptr<PrintService> printService(TextFiles& files) override
    {
        return std::make_unique<CupsPrintService>(files);
    }

private:
    const HeadlessGui gui;
};

} // namespace

std::unique_ptr<Drawing> makeDrawing()
{
    return std::make_unique<QtDrawing>();
}

} // namespace fh::cli
