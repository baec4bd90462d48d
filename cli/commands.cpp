#include "cli/commands.h"

namespace sw::cli {

int runNew(const QStringList& args);
int runInfo(const QStringList& args);
int runCheck(const QStringList& args);
int runResave(const QStringList& args);
int runExport(const QStringList& args);
int runTrace(const QStringList& args);
int runLearn(const QStringList& args);
int runDeskew(const QStringList& args);
int runWizard(const QStringList& args);
int runLibrary(const QStringList& args);
int runGallery(const QStringList& args);
int runGeometry(const QStringList& args);
int runRead(const QStringList& args);

namespace {
int g_screenPpi = 96;
}

int screenPpi()
{
    return g_screenPpi;
}

void setScreenPpi(int ppi)
{
    g_screenPpi = ppi;
}

const std::vector<Command>& commands()
{
    static const std::vector<Command> all = {
        {"new", "new OUT.exm",
         "Writes the document the designer starts with: paper type A, one page.", runNew},
        {"info", "info IN.exm [--raw]",
         "Prints the template as JSON, as the designer shows it after opening; with --raw as "
         "loaded, before renumbering and mark layout.",
         runInfo, Runtime::Headless},
        {"check", "check IN.exm",
         "Runs the checks before saving; prints the first failing message and exits 1.", runCheck,
         Runtime::Headless},
        {"resave", "resave IN.exm OUT.exm",
         "Opens and saves as the designer does: renumbers, lays out the marks, checks, saves.",
         runResave, Runtime::Headless},
        {"export", "export IN.exm -o OUT [--page N | --all] [--dpi D]",
         "Exports pages (numbered from 1; default 1) as .bmp .jpg .jpeg .png .pdf or .svg at D "
         "dots per inch (default the screen's). --all writes name-1.ext, name-2.ext, ...; a PDF "
         "holds every page.",
         runExport},
        {"trace", "trace IN.exm [--page N] [--zoom Z] [--mode 0|1]",
         "Prints the canvas calls that paint the page, one per line, in device pixels "
         "(mode 0 screen, 1 print).",
         runTrace},
        {"learn", "learn IN.exm SCAN -o OUT.exm [--page N]",
         "Learns the fuzzy-recognition boxes of the page from a scanned sheet and saves the "
         "template; prints the measured angle.",
         runLearn, Runtime::Headless},
        {"deskew", "deskew IN.exm SCAN -o OUT.jpg [--page N]",
         "Measures the skew of a scanned sheet as the template's mode says and writes it "
         "straightened as JPEG; prints the angle in radians.",
         runDeskew, Runtime::Headless},
        {"wizard", "wizard [--settings FILE.json] -o OUT.exm",
         "Generates a standard answer sheet. FILE.json overrides the default settings by their "
         "column names (pagecount, pagesize 0 A4 / 1 B4 / 2 A3, pagetype, examcodetype, "
         "examcodeleng, kgcount, groupnumber, attention, title, info, warning). Failed steps "
         "print their codes and exit 1 after writing what was generated.",
         runWizard},
        {"library", "library [--db PATH|URL] list | add NAME IN.exm | get ID OUT.exm | delete ID",
         "The template library (default: sheetwright.db beside this program; a URL "
         "postgresql://user@host[:port]/dbname names a database shared on a PostgreSQL server). "
         "list prints id, name and date, tab-separated.",
         runLibrary},
        {"gallery", "gallery -o OUT.png [--template OUT.exm]",
         "Draws one page with every kind of shape as the designer shows it and prints the "
         "picture's path; --template also saves the page as a template, with its sample picture "
         "beside it as NAME-picture.png.",
         runGallery},
        {"geometry", "geometry TEMPLATE.exm [--dpi D]",
         "Prints every readable element of every page as JSON: bubble boxes with their cells, "
         "option characters and question numbers, cut boxes, barcode areas, positioning and "
         "fuzzy boxes, page marks; in pixels at D dots per inch (default the screen's).",
         runGeometry, Runtime::Headless},
        {"read",
         "read TEMPLATE.exm SCAN_OR_FOLDER... [--json] [--csv FILE] [--cuts DIR] "
         "[--marked DIR] [--jobs N]",
         "Reads filled sheets: one line per scan (with --json one JSON object), --csv one row "
         "per scan, --cuts the written answers as DIR/QUESTION-PART/SCAN.png, --marked each "
         "scan straightened with what was read outlined. Exit 0 all read, 1 some need a look, "
         "2 a file could not be read.",
         runRead},
    };
    return all;
}

const Command* findCommand(QStringView name)
{
    for (const Command& c : commands()) {
        if (name == QLatin1StringView(c.name))
            return &c;
    }
    return nullptr;
}

} // namespace sw::cli
