// pathloom-inspect: decodes an app document file and prints what an app made from it holds, or
// the error that refuses it. Exit status: 0 decoded, 1 refused, 2 usage.

#include "documents/AppData.h"
#include "foundation/ImageLoader.h"
#include "foundation/Json.h"
#include "loading/Localization.h"
#include "serialization/EncodingTable.h"
#include "steps/PathloomStepFactory.h"
#include "steps/ResearchKitStepFactory.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using namespace pathloom;
using namespace Qt::StringLiterals;

namespace {

// Pictures are not fetched when inspecting a document.
class NoImages : public ImageLoader {
public:
    std::optional<QImage> syncLoad(const QString&) override { return std::nullopt; }
    std::optional<Cancellable> asyncLoad(const QString&, Completion completion) override {
        if (completion) {
            completion(std::nullopt);
        }
        return std::nullopt;
    }
};

QString styleText(const AppData& app) {
    switch (app.navigationStyle) {
        case AppNavigationStyle::list:
            return u"a list of workflows"_s;
        case AppNavigationStyle::tabBar: {
            QStringList ids;
            for (qint64 id : app.tabIds.value_or(QList<qint64>{})) {
                ids.append(QString::number(id));
            }
            return u"tabs for workflows "_s + ids.join(u", "_s);
        }
        case AppNavigationStyle::primaryWorkflow:
            return u"primary workflow "_s + QString::number(app.primaryWorkflowId.value_or(0));
    }
    return {};
}

void printRules(QTextStream& out, const WorkflowData& workflow) {
    for (const NavigationRule& rule : workflow.navigationRules) {
        for (const NavigationDestinationRule& destination : rule.destinationsRules) {
            out << "      after " << rule.fromStepIdentifier << " go to "
                << destination.toStepIdentifier;
            if (destination.propertyKeyPath && destination.operand && destination.value) {
                out << " when " << *destination.propertyKeyPath << " == " << *destination.value;
            }
            out << '\n';
        }
    }
}

// What the step factories make of one step document: the class of the step built, or why none.
QString builtStep(const StepData& step, const WorkflowData& workflow, const AppData& app,
                  ImageLoader& images, const Localization& localization) {
    static const PathloomStepFactory pathloomSteps;
    static const ResearchKitStepFactory researchKitSteps;
    const StepFactory* factory = nullptr;
    if (pathloomSteps.canBuild(step.type)) {
        factory = &pathloomSteps;
    } else if (researchKitSteps.canBuild(step.type)) {
        factory = &researchKitSteps;
    }
    if (!factory) {
        return u"skipped: no factory builds this type"_s;
    }
    const StepBuildResult built = factory->buildStep(step, StepContext{app.name, workflow.name},
                                                     nullptr, images, localization);
    if (!built) {
        return u"not built: "_s + built.error().localizedDescription();
    }
    const ObjectClass* builtClass = EncodingTable::shared().classOf(Value(*built));
    return builtClass ? builtClass->name() : u"a step"_s;
}

void printApp(QTextStream& out, const AppData& app, const Localization& localization,
              ImageLoader& images) {
    out << app.name << " (app " << app.id << ")\n";
    out << "  presented as " << styleText(app) << '\n';
    out << "  tint " << app.tintColor().name(QColor::HexArgb) << '\n';
    out << "  analytics "
        << (app.shouldGatherAnalytics && app.analyticsURL ? app.analyticsURL->toString() : u"off"_s)
        << '\n';
    if (app.activeServer) {
        out << "  server " << app.activeServer->url.toString() << '\n';
    }
    for (const WorkflowData& workflow : app.tasks) {
        out << "  workflow " << workflow.id << " '" << workflow.identifier << "' "
            << localization.translate(workflow.name).value_or(u"(no name)"_s) << '\n';
        for (const StepData& step : workflow.steps) {
            const std::optional<QString> title = json::readString(step.content, u"title");
            out << "    " << step.type << ' ' << step.identifier;
            if (title) {
                out << ": " << localization.translate(title).value_or(QString());
            }
            out << "  [" << builtStep(step, workflow, app, images, localization) << "]\n";
        }
        printRules(out, workflow);
    }
    const QByteArray stored = json::write(app.toStored());
    const auto reread = json::parse(stored);
    const bool roundTrips = reread && AppData::fromStored(reread->toObject()) == app;
    out << "  stored form " << stored.size() << " bytes, "
        << (roundTrips ? "reads back equal" : "DOES NOT read back equal") << '\n';
}

std::optional<qint64> integerOption(const QCommandLineParser& parser, const QString& name) {
    if (!parser.isSet(name)) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"pathloom-inspect"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Decodes a Pathloom app document and prints what it holds."_s);
    parser.addHelpOption();
    parser.addOption({u"server-id"_s, u"Id of the server to select."_s, u"N"_s});
    parser.addOption({u"languages"_s, u"Preferred languages, for example fr-CA,en."_s, u"LIST"_s});
    parser.addPositionalArgument(u"document"_s, u"The app document file."_s);
    parser.process(application);

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1) {
        err << parser.helpText();
        return 2;
    }
    QFile file(parser.positionalArguments().first());
    if (!file.open(QIODevice::ReadOnly)) {
        err << "Cannot read " << file.fileName() << ": " << file.errorString() << '\n';
        return 1;
    }
    const auto document = json::parse(file.readAll());
    if (!document || !document->isObject()) {
        err << (document ? u"The document is not a JSON object."_s : document.error().description())
            << '\n';
        return 1;
    }
    NoImages images;
    const auto app = AppData::fromJson(document->toObject(), integerOption(parser, u"server-id"_s),
                                       std::nullopt, images);
    if (!app) {
        err << app.error().description() << '\n';
        return 1;
    }
    const Localization localization =
        parser.isSet(u"languages"_s)
            ? Localization(app->translationLocales, parser.value(u"languages"_s).split(u','))
            : Localization(app->translationLocales);
    printApp(out, *app, localization, images);
    return 0;
}
