#include "run/EmlWriter.h"

#include "QtPrinting.h"
#include "TestFiles.h"
#include "steps/MailError.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>
#include <ostream>

// Bytes of a message are text; printed as such, a failure shows what differs.
static void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << QString::fromLatin1(bytes).toStdString() << '"';
}

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

// A MIME entity as a mail program reads it: its header fields, unfolded, in order, and its body.
struct Entity {
    QList<std::pair<QByteArray, QByteArray>> fields;
    QByteArray body;

    [[nodiscard]] QByteArrayList values(QByteArrayView name) const {
        QByteArrayList found;
        for (const auto& [field, value] : fields) {
            if (field.compare(name, Qt::CaseInsensitive) == 0) {
                found.append(value);
            }
        }
        return found;
    }
    [[nodiscard]] QByteArray value(QByteArrayView name) const {
        const QByteArrayList found = values(name);
        EXPECT_EQ(found.size(), 1) << name.toByteArray().toStdString();
        return found.value(0);
    }
};

QByteArrayList crlfLines(const QByteArray& text) {
    QByteArrayList lines;
    qsizetype start = 0;
    for (qsizetype end; (end = text.indexOf("\r\n", start)) >= 0; start = end + 2) {
        lines.append(text.sliced(start, end - start));
    }
    lines.append(text.sliced(start));
    return lines;
}

Entity parseEntity(const QByteArray& raw) {
    Entity entity;
    const qsizetype end = raw.indexOf("\r\n\r\n");
    EXPECT_GE(end, 0) << "no blank line after the header";
    entity.body = raw.sliced(end + 4);
    for (const QByteArray& line : crlfLines(raw.left(end))) {
        if (line.startsWith(' ') || line.startsWith('\t')) {
            entity.fields.last().second += line;
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        EXPECT_GT(colon, 0) << "not a header field: " << line.toStdString();
        entity.fields.append({line.left(colon), line.sliced(colon + 1).trimmed()});
    }
    return entity;
}

// An unstructured value with its RFC 2047 encoded words decoded, each on its own.
QString decodedText(const QByteArray& value) {
    if (!value.startsWith("=?")) {
        return QString::fromUtf8(value);
    }
    static const QRegularExpression word(u"^=\\?UTF-8\\?B\\?([A-Za-z0-9+/=]+)\\?=$"_s);
    QString text;
    for (const QByteArray& piece : value.split(' ')) {
        const QRegularExpressionMatch match = word.match(QString::fromLatin1(piece));
        EXPECT_TRUE(match.hasMatch()) << piece.toStdString();
        text += QString::fromUtf8(QByteArray::fromBase64(match.captured(1).toLatin1()));
    }
    return text;
}

// The value's parameters, split at the semicolons outside quoted strings.
QByteArrayList parameters(const QByteArray& value) {
    QByteArrayList pieces{{}};
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (quoted && c == '\\' && i + 1 < value.size()) {
            pieces.last() += value.sliced(i, 2);
            ++i;
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
        }
        if (c == ';' && !quoted) {
            pieces.append(QByteArray());
            continue;
        }
        pieces.last() += c;
    }
    for (QByteArray& piece : pieces) {
        piece = piece.trimmed();
    }
    return pieces;
}

QString fromRfc2231(const QByteArray& value) {
    EXPECT_TRUE(value.startsWith("UTF-8''")) << value.toStdString();
    return QString::fromUtf8(QByteArray::fromPercentEncoding(value.sliced(7)));
}

// A parameter as a quoted string, in RFC 2231 form, or continued in RFC 2231 pieces.
std::optional<QString> parameter(const QByteArray& value, const QByteArray& name) {
    QMap<int, QByteArray> pieces;
    for (const QByteArray& piece : parameters(value).sliced(1)) {
        const qsizetype equals = piece.indexOf('=');
        const QByteArray attribute = piece.left(equals);
        const QByteArray text = piece.sliced(equals + 1);
        if (attribute == name && text.startsWith('"') && text.endsWith('"')) {
            QByteArray unquoted;
            for (qsizetype i = 1; i + 1 < text.size(); ++i) {
                unquoted += text[i] == '\\' ? text[++i] : text[i];
            }
            return QString::fromUtf8(unquoted);
        }
        if (attribute == name + '*') {
            return fromRfc2231(text);
        }
        if (attribute.startsWith(name + '*') && attribute.endsWith('*')) {
            pieces.insert(attribute.sliced(name.size() + 1).chopped(1).toInt(), text);
        }
    }
    if (pieces.isEmpty()) {
        return std::nullopt;
    }
    EXPECT_EQ(pieces.lastKey(), pieces.size() - 1) << "continuations are numbered from 0";
    return fromRfc2231(pieces.values().join());
}

QString fromQuotedPrintable(const QByteArray& encoded) {
    QByteArray bytes;
    for (qsizetype i = 0; i < encoded.size();) {
        if (encoded.sliced(i).startsWith("=\r\n")) {
            i += 3;
        } else if (encoded[i] == '=') {
            bytes += char(encoded.mid(i + 1, 2).toInt(nullptr, 16));
            i += 3;
        } else if (encoded.sliced(i).startsWith("\r\n")) {
            bytes += '\n';
            i += 2;
        } else {
            bytes += encoded[i++];
        }
    }
    return QString::fromUtf8(bytes);
}

// The parts of a multipart message, after checking that its boundary closes it and occurs nowhere
// else.
QList<Entity> bodyParts(const Entity& message) {
    const std::optional<QString> boundary = parameter(message.value("Content-Type"), "boundary");
    EXPECT_TRUE(boundary);
    const QByteArray delimiter = "--" + boundary.value_or(QString()).toLatin1();
    const QByteArray separator = "\r\n" + delimiter + "\r\n";
    EXPECT_TRUE(message.body.startsWith(delimiter + "\r\n"));
    EXPECT_TRUE(message.body.endsWith("\r\n" + delimiter + "--\r\n"));
    const QByteArray inner =
        message.body.sliced(delimiter.size() + 2).chopped(delimiter.size() + 6);
    QList<Entity> parts;
    qsizetype start = 0;
    for (qsizetype end; (end = inner.indexOf(separator, start)) >= 0;
         start = end + separator.size()) {
        parts.append(parseEntity(inner.sliced(start, end - start)));
    }
    parts.append(parseEntity(inner.sliced(start)));
    EXPECT_EQ(message.body.count(delimiter), parts.size() + 1) << "the boundary occurs in a part";
    return parts;
}

bool onlyCrlfLineEnds(const QByteArray& text) {
    const qsizetype crlf = text.count("\r\n");
    return text.count('\r') == crlf && text.count('\n') == crlf;
}

qsizetype longestLine(const QByteArray& text) {
    qsizetype longest = 0;
    for (const QByteArray& line : crlfLines(text)) {
        longest = std::max(longest, line.size());
    }
    return longest;
}

const QDateTime kDate(QDate(2021, 3, 4), QTime(5, 6, 7), QTimeZone::utc());

MailMessage textMessage(QString body) {
    return MailMessage{u"care@example.org"_s, u"Visit"_s, std::move(body), {}};
}

QByteArray everyByte() {
    QByteArray bytes;
    for (int round = 0; round < 4; ++round) {
        for (int byte = 0; byte < 256; ++byte) {
            bytes += char(byte);
        }
    }
    return bytes;
}

TEST(EmlWriterTest, WritesTheHeaderAndAPlainTextMessage) {
    const QByteArray eml =
        EmlWriter(u"app@example.org"_s).write(textMessage(u"name: Ana\nage: 42"_s), kDate);

    EXPECT_TRUE(onlyCrlfLineEnds(eml));
    const Entity message = parseEntity(eml);
    QByteArrayList names;
    for (const auto& field : message.fields) {
        names.append(field.first);
    }
    EXPECT_EQ(names, (QByteArrayList{"From", "To", "Subject", "Date", "Message-ID", "MIME-Version",
                                     "Content-Type", "Content-Transfer-Encoding"}));
    EXPECT_EQ(message.value("From"), "app@example.org");
    EXPECT_EQ(message.value("To"), "care@example.org");
    EXPECT_EQ(message.value("Subject"), "Visit");
    EXPECT_EQ(message.value("Date"), "Thu, 04 Mar 2021 05:06:07 +0000");
    EXPECT_TRUE(QRegularExpression(u"^<[^<>@\\s]+@[^<>@\\s]+>$"_s)
                    .match(QString::fromLatin1(message.value("Message-ID")))
                    .hasMatch())
        << message.value("Message-ID").toStdString();
    EXPECT_EQ(message.value("MIME-Version"), "1.0");
    EXPECT_EQ(message.value("Content-Type"), "text/plain; charset=utf-8");
    EXPECT_EQ(message.value("Content-Transfer-Encoding"), "quoted-printable");
    EXPECT_EQ(message.body, "name: Ana\r\nage: 42");

    const Entity other = parseEntity(EmlWriter().write(MailMessage{}, kDate));
    EXPECT_TRUE(other.values("From").isEmpty()) << "no sender given";
    EXPECT_TRUE(other.values("To").isEmpty()) << "no recipient given";
    EXPECT_NE(other.value("Message-ID"), message.value("Message-ID"));
    EXPECT_TRUE(other.body.isEmpty());
}

TEST(EmlWriterTest, DatesCarryTheirOffsetInEnglish) {
    const QLocale locale = QLocale();
    QLocale::setDefault(QLocale(QLocale::German));
    const struct {
        QDateTime date;
        QByteArray text;
    } cases[] = {
        {kDate, "Thu, 04 Mar 2021 05:06:07 +0000"},
        {QDateTime(QDate(2024, 12, 31), QTime(23, 59, 0), QTimeZone(5 * 3600 + 1800)),
         "Tue, 31 Dec 2024 23:59:00 +0530"},
        {QDateTime(QDate(2020, 5, 1), QTime(0, 0, 1), QTimeZone(-(3 * 3600 + 1800))),
         "Fri, 01 May 2020 00:00:01 -0330"},
    };
    for (const auto& [date, text] : cases) {
        EXPECT_EQ(parseEntity(EmlWriter().write(MailMessage{}, date)).value("Date"), text);
    }
    QLocale::setDefault(locale);
}

TEST(EmlWriterTest, SubjectsThatAreNotShortPlainAsciiTravelAsEncodedWords) {
    const struct {
        QString subject;
        std::optional<QByteArray> raw;  // when the exact header value is known
    } cases[] = {
        {u"Visit - Inspection"_s, "Visit - Inspection"},
        {u""_s, ""},
        {u"Caf\u00e9"_s, "=?UTF-8?B?Q2Fmw6k=?="},
        {u"Besuch \u00fcber Gr\u00fc\u00dfe \u65e5\u672c\u8a9e \U0001F600 und noch viel mehr Text "
         u"\u00e0 \u00e9 \u00ee \U0001F680\U0001F680\U0001F680 am Ende"_s,
         std::nullopt},
        {u"=?UTF-8?B?SGk=?="_s, std::nullopt},
        {QString(120, u'x'), std::nullopt},
        {u"tab\there"_s, std::nullopt},
    };
    for (const auto& [subject, raw] : cases) {
        const QByteArray eml = EmlWriter().write(MailMessage{{}, subject, {}, {}}, kDate);
        const Entity message = parseEntity(eml);
        const QByteArray value = message.value("Subject");
        if (raw) {
            EXPECT_EQ(value, *raw) << subject.toStdString();
        }
        EXPECT_EQ(decodedText(value), subject == u"tab\there"_s ? u"tab here"_s : subject);
        EXPECT_LE(longestLine(eml), 76) << subject.toStdString();
        EXPECT_TRUE(onlyCrlfLineEnds(eml));
        for (const char byte : eml) {
            EXPECT_LT(static_cast<unsigned char>(byte), 0x80) << subject.toStdString();
        }
    }
}

TEST(EmlWriterTest, TextSurvivesQuotedPrintableByteForByte) {
    const QString long200 = QString(200, u'a') + u" = end "_s;
    const struct {
        QString body;
        QString read;
    } cases[] = {
        {u"plain"_s, u"plain"_s},
        {u"a = b\ntrailing space \ntrailing tab\t"_s, u"a = b\ntrailing space \ntrailing tab\t"_s},
        {u"Gr\u00fc\u00dfe \u65e5\u672c \U0001F600"_s,
         u"Gr\u00fc\u00dfe \u65e5\u672c \U0001F600"_s},
        {long200, long200},
        {QString(80, u'\u00e9'), QString(80, u'\u00e9')},
        {u"windows\r\nlines\r\n"_s, u"windows\nlines\n"_s},
        {u"lone\rreturn"_s, u"lone\rreturn"_s},
        {u"\n\nblank lines\n"_s, u"\n\nblank lines\n"_s},
    };
    for (const auto& [body, read] : cases) {
        const QByteArray eml = EmlWriter().write(textMessage(body), kDate);
        const Entity message = parseEntity(eml);
        EXPECT_EQ(fromQuotedPrintable(message.body), read) << body.toStdString();
        EXPECT_LE(longestLine(message.body), 76) << body.toStdString();
        EXPECT_TRUE(onlyCrlfLineEnds(eml)) << body.toStdString();
        for (const QByteArray& line : crlfLines(message.body)) {
            EXPECT_FALSE(line.endsWith(' ') || line.endsWith('\t')) << "whitespace at a line end";
        }
    }
}

TEST(EmlWriterTest, AttachmentsArriveAsTheFilesBytesWithTheirTypes) {
    QTemporaryDir folder;
    const QString photoPath = folder.filePath(u"door.jpg"_s);
    ASSERT_TRUE(test::writeFile(photoPath, everyByte()));
    const QByteArray photo = test::readFile(photoPath);
    const QList<MailAttachment> attachments{
        {photo, u"image/jpeg"_s, u"door.jpg"_s},
        {"%PDF-1.4 small", u"application/pdf"_s, u"Befund \u00fc.pdf"_s},
        {{}, u"text/plain"_s, u"empty.txt"_s},
    };

    for (const QString& body : {u"name: Ana"_s, QString()}) {
        const QByteArray eml = EmlWriter().write(
            MailMessage{u"care@example.org"_s, u"Visit"_s, body, attachments}, kDate);
        EXPECT_TRUE(onlyCrlfLineEnds(eml));
        EXPECT_LE(longestLine(eml), 78);
        const Entity message = parseEntity(eml);
        EXPECT_TRUE(message.value("Content-Type").startsWith("multipart/mixed;"));
        EXPECT_TRUE(message.values("Content-Transfer-Encoding").isEmpty());

        QList<Entity> parts = bodyParts(message);
        ASSERT_EQ(parts.size(), attachments.size() + (body.isEmpty() ? 0 : 1));
        if (!body.isEmpty()) {
            const Entity text = parts.takeFirst();
            EXPECT_EQ(text.value("Content-Type"), "text/plain; charset=utf-8");
            EXPECT_EQ(fromQuotedPrintable(text.body), body);
        }
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const Entity& part = parts[i];
            const MailAttachment& attachment = attachments[i];
            EXPECT_EQ(parameters(part.value("Content-Type")).first(), attachment.mimeType.toUtf8());
            EXPECT_EQ(parameter(part.value("Content-Type"), "name"), attachment.fileName);
            EXPECT_EQ(parameters(part.value("Content-Disposition")).first(), "attachment");
            EXPECT_EQ(parameter(part.value("Content-Disposition"), "filename"),
                      attachment.fileName);
            EXPECT_EQ(part.value("Content-Transfer-Encoding"), "base64");
            const auto decoded = QByteArray::fromBase64Encoding(
                QByteArray(part.body).replace("\r\n", ""), QByteArray::AbortOnBase64DecodingErrors);
            EXPECT_TRUE(decoded) << "only the base64 alphabet between the line ends";
            EXPECT_EQ(*decoded, attachment.data);
            const QByteArrayList lines = crlfLines(part.body);
            for (qsizetype line = 0; line + 1 < lines.size(); ++line) {
                EXPECT_EQ(lines[line].size(), 76) << "base64 in lines of 76";
            }
            EXPECT_LE(lines.last().size(), 76);
        }
    }
}

TEST(EmlWriterTest, FileNamesAreQuotedOrEncodedAndReadBackAsGiven) {
    const struct {
        QString fileName;
        QByteArray filenameParameter;  // the header's text after "attachment;", when known
    } cases[] = {
        {u"door.jpg"_s, R"(filename="door.jpg")"},
        {u"say \"hi\"; \\ back.txt"_s, R"(filename="say \"hi\"; \\ back.txt")"},
        {u"Befund \u00fc.pdf"_s, "filename*=UTF-8''Befund%20%C3%BC.pdf"},
        {u"\u65e5\u672c\u8a9e\u306e\u9577\u3044\u30d5\u30a1\u30a4\u30eb\u540d\u3067\u3059\u3002"
         u"\u3068\u3066\u3082\u9577\u3044\u540d\u524d\u3067\u3059.pdf"_s,
         {}},
        {QString(150, u'n') + u".txt"_s, {}},
    };
    for (const auto& [fileName, filenameParameter] : cases) {
        const QByteArray eml = EmlWriter().write(
            MailMessage{{}, u"Files"_s, {}, {{"x", u"application/octet-stream"_s, fileName}}},
            kDate);
        const Entity part = bodyParts(parseEntity(eml)).value(0);
        const QByteArray disposition = part.value("Content-Disposition");
        if (!filenameParameter.isEmpty()) {
            EXPECT_EQ(disposition, "attachment; " + filenameParameter);
        }
        EXPECT_EQ(parameter(disposition, "filename"), fileName);
        EXPECT_EQ(parameter(part.value("Content-Type"), "name"), fileName);
        EXPECT_LE(longestLine(eml), 78) << fileName.toStdString();
    }
}

TEST(EmlWriterTest, LineBreaksInHeaderValuesCannotAddHeaders) {
    const MailMessage message{
        u"care@example.org\r\nBcc: spy@example.org"_s,
        u"Hello\nBcc: spy@example.org\r\n\r\nbody text"_s,
        u"text"_s,
        {{"x", u"text/plain\r\nX-Injected: 1"_s, u"a.txt\r\nContent-Type: text/html"_s}}};
    const QByteArray eml = EmlWriter(u"app@example.org\nBcc: spy@example.org"_s).write(message);

    EXPECT_TRUE(onlyCrlfLineEnds(eml));
    const Entity parsed = parseEntity(eml);
    EXPECT_TRUE(parsed.values("Bcc").isEmpty());
    EXPECT_EQ(parsed.value("From"), "app@example.org Bcc: spy@example.org");
    EXPECT_EQ(parsed.value("To"), "care@example.org  Bcc: spy@example.org");
    EXPECT_EQ(decodedText(parsed.value("Subject")), u"Hello Bcc: spy@example.org    body text"_s);
    const QList<Entity> parts = bodyParts(parsed);
    ASSERT_EQ(parts.size(), 2);
    const Entity& attachment = parts[1];
    EXPECT_EQ(attachment.values("Content-Type").size(), 1);
    EXPECT_TRUE(attachment.values("X-Injected").isEmpty());
    EXPECT_EQ(parameter(attachment.value("Content-Disposition"), "filename"),
              u"a.txt  Content-Type: text/html"_s);
    EXPECT_EQ(QByteArray::fromBase64(attachment.body), "x");
}

TEST(EmlWriterTest, WritesNumberedFilesIntoTheFolder) {
    QTemporaryDir root;
    const QDir outbox(root.filePath(u"out/box"_s));
    const EmlWriter writer(u"app@example.org"_s);
    const auto write = [&](const QString& subject, const QString& baseName) {
        return writer.writeToFolder(MailMessage{{}, subject, {}, {}}, outbox, baseName);
    };

    const auto first = write(u"one"_s, u"mail"_s);
    ASSERT_TRUE(first) << first.error().localizedDescription().toStdString();
    EXPECT_EQ(*first, outbox.filePath(u"mail-1.eml"_s)) << "the missing folder is made";
    ASSERT_TRUE(test::writeFile(outbox.filePath(u"mail-2.eml"_s), "someone else's"));
    EXPECT_EQ(write(u"two"_s, u"mail"_s).value_or(QString()), outbox.filePath(u"mail-3.eml"_s));
    EXPECT_EQ(write(u"three"_s, u"other"_s).value_or(QString()), outbox.filePath(u"other-1.eml"_s));
    EXPECT_EQ(write(u"four"_s, u"mail"_s).value_or(QString()), outbox.filePath(u"mail-4.eml"_s));

    EXPECT_EQ(parseEntity(test::readFile(*first)).value("Subject"), "one");
    EXPECT_EQ(test::readFile(outbox.filePath(u"mail-2.eml"_s)), "someone else's");
    EXPECT_EQ(parseEntity(test::readFile(outbox.filePath(u"mail-3.eml"_s))).value("Subject"),
              "two");

    const QList<std::pair<QString, QString>> unsafe{
        {u"../escape"_s, u"_._escape-1.eml"_s},
        {u"/etc/passwd"_s, u"_etc_passwd-1.eml"_s},
        {u".hidden"_s, u"_hidden-1.eml"_s},
        {QString(), u"message-1.eml"_s},
        {u"a\nb"_s, u"a_b-1.eml"_s},
    };
    for (const auto& [baseName, fileName] : unsafe) {
        EXPECT_EQ(write(u"x"_s, baseName).value_or(QString()), outbox.filePath(fileName))
            << baseName.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(root.filePath(u"out"_s)).filePath(u"escape-1.eml"_s)));
}

TEST(EmlWriterTest, AFolderThatCannotBeWrittenFailsAndLeavesNoFile) {
    QTemporaryDir root;
    const QString file = root.filePath(u"outbox"_s);
    ASSERT_TRUE(test::writeFile(file, "a file, not a folder"));
    for (const QString& folder : {file, file + u"/inner"_s}) {
        const auto written =
            EmlWriter().writeToFolder(MailMessage{{}, u"x"_s, {}, {}}, QDir(folder), u"mail"_s);
        ASSERT_FALSE(written) << folder.toStdString();
        const QString path = QDir(folder).filePath(u"mail-1.eml"_s);
        EXPECT_EQ(written.error().localizedDescription(),
                  u"Could not write the message to "_s + path + u"."_s);
        EXPECT_EQ(written.error().domain(), u"pathloom.mail"_s);
        ASSERT_TRUE(written.error().as<MailError>());
        EXPECT_EQ(written.error().as<MailError>()->errorCase(), MailError::Case::couldNotWrite);
        EXPECT_EQ(written.error().as<MailError>()->path(), path);
    }
    EXPECT_EQ(test::readFile(file), "a file, not a folder");
}

}  // namespace
}  // namespace pathloom
