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
int runExam(const QStringList& args);
int runPersonalise(const QStringList& args);

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
        {"new", "new OUT.exm", "写出设计器启动时的文档：试卷类型 A，一个页面。", runNew},
        {"info", "info IN.exm [--raw]",
         "把模板以 JSON 显示，与设计器打开后显示的一致；加 --raw 则按读入时的样子，"
         "不重新编页、不排页面标记。",
         runInfo, Runtime::Headless},
        {"check", "check IN.exm", "运行保存前的检查；显示第一条未通过的提示并以 1 退出。", runCheck,
         Runtime::Headless},
        {"resave", "resave IN.exm OUT.exm",
         "像设计器那样打开再保存：重新编页、排页面标记、检查、保存。", runResave,
         Runtime::Headless},
        {"export", "export IN.exm -o OUT [--page N | --all] [--dpi D]",
         "以每英寸 D 点（默认为屏幕的）导出页面（从 1 起编号，默认第 1 页），格式为 "
         ".bmp .jpg .jpeg .png .pdf 或 .svg。--all 写出 名称-1.扩展名、名称-2.扩展名……；"
         "PDF 包含所有页面。",
         runExport},
        {"trace", "trace IN.exm [--page N] [--zoom Z] [--mode 0|1]",
         "逐行显示绘制该页的画布调用，单位为设备像素（模式 0 屏幕，1 打印）。", runTrace},
        {"learn", "learn IN.exm SCAN -o OUT.exm [--page N]",
         "根据扫描的答题卡学习该页的模糊识别框并保存模板；显示测得的角度。", runLearn,
         Runtime::Headless},
        {"deskew", "deskew IN.exm SCAN -o OUT.jpg [--page N]",
         "按模板的模式测量扫描图的倾斜，把校正后的图写成 JPEG；显示以弧度计的角度。", runDeskew,
         Runtime::Headless},
        {"wizard", "wizard [--settings FILE.json] -o OUT.exm",
         "生成标准答题卡。FILE.json 按列名覆盖默认设置（pagecount；pagesize：0 A4、1 B4、"
         "2 A3；pagetype、examcodetype、examcodeleng、kgcount、groupnumber、attention、"
         "title、info、warning）。有步骤失败时显示其代码，写出已生成的部分后以 1 退出。",
         runWizard},
        {"library", "library [--db PATH|URL] list | add NAME IN.exm | get ID OUT.exm | delete ID",
         "模板库（默认为本程序旁的 sheetwright.db；URL "
         "postgresql://user@host[:port]/dbname 指 PostgreSQL 服务器上共用的数据库）。"
         "list 显示编号、名称和日期，以制表符分隔。",
         runLibrary},
        {"gallery", "gallery -o OUT.png [--template OUT.exm]",
         "按设计器的显示画出一页包含各种图形的页面，并显示图片路径；--template 还把该页存为"
         "模板，示例图片放在旁边，名为“名称-picture.png”。",
         runGallery},
        {"geometry", "geometry TEMPLATE.exm [--dpi D]",
         "把每页可识别的元素以 JSON 显示：客观题框及其格子、选项字符和题号，主观题框，"
         "条码区，定位框和模糊识别框，页面标记；单位为每英寸 D 点下的像素（默认为屏幕的）。",
         runGeometry, Runtime::Headless},
        {"read",
         "read TEMPLATE.exm SCAN_OR_FOLDER... [--json] [--csv FILE] [--cuts DIR] "
         "[--marked DIR] [--jobs N]",
         "识读填好的答题卡：每张扫描图一行（加 --json 为一个 JSON 对象），--csv 每张一行，"
         "--cuts 把主观题答案存为 DIR/题号-部分/扫描图.png，--marked 把每张扫描图校正后"
         "标出识读的内容。退出状态 0 全部读出，1 有的需要人工查看，2 有文件不能读取。",
         runRead},
        {"exam",
         "exam [--db PATH|URL] create NAME --template T.exm | key NAME KEY.csv | "
         "key NAME --from-scan SCAN [--points N] | roster NAME ROSTER.csv | "
         "read NAME SCAN_OR_FOLDER... [--jobs N] | "
         "decide NAME --scan FILE|SHA256 (--question Q | --score Q | --exam-number | --sheet) "
         "[--answer X] --reviewer WHO [--reason TEXT] | check NAME | "
         "results NAME [--csv FILE] [--json] [--xlsx FILE] | "
         "report NAME [-o FILE.pdf] [--candidates DIR]",
         "考试：模板、答案（CSV，标题行的列依次为 paper_type、question、answer、points、"
         "partial，最后一列可省）、考生名单（CSV，标题行以 exam_number、name 开始，其余列照存）、"
         "识读的扫描图（按内容的 SHA-256 只存一次）和人工决定都保存在模板库的数据库中。"
         "check 每行列出一项妨碍出成绩的问题，没有时以 0 退出，否则以 1 退出；results "
         "每个考生一行，列依次为 exam_number、name、paper_type、status、total 和每题的得分"
         "（主观题为 s题号），--json 每个考生一个 JSON 对象，--xlsx 把成绩和题目分析写成 "
         ".xlsx 工作簿的两个工作表。report -o 写考试分析报告（PDF），--candidates 在 DIR 中为"
         "每个有答题卡的考生写一份 PDF：校正后的扫描图上标出各题的选项（绿色为对，红色为错，"
         "灰色为未答）、得分和总分；扫描图文件已不存在或已改变时，该页不附图并给出警告。",
         runExam},
        {"personalise",
         "personalise T.exm ROSTER.csv -o OUT.pdf [--symbology code128|qr] "
         "[--fill-exam-number|--no-fill-exam-number] [--dpi D]",
         "按名单为每名考生印一份模板的所有页面，写成一个 PDF。名单为 UTF-8 的 CSV，表头须有 "
         "exam_number 和 name，可有更多列；条码区印考号的 Code 128 条码（--symbology qr 为考号和"
         "姓名的 QR 码），准考证号栏涂好考号（--no-fill-exam-number 则只在各列上方写出数字），"
         "文本框里的 {name}、{exam_number} 和 {列名} 换成考生的内容。条码按每英寸 D 点（默认 "
         "600）的打印机排在整点上。显示考生人数。名单不能读取或有误时以 2 退出，考号放不进准考证"
         "号栏或条码区太小时以 1 退出，都说明原因（含名单的行号），不写文件。",
         runPersonalise},
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
