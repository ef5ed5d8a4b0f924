#include "run/EmlWriter.h"

#include "steps/MailError.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QUuid>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView kCrlf = "\r\n";
// RFC 2045 and 2047 keep encoded lines to 76 characters.
constexpr qsizetype kEncodedLineLength = 76;
// An encoded word's fixed part: "=?UTF-8?B?" and "?=".
constexpr qsizetype kEncodedWordOverhead = 12;
// RFC 2231 value pieces are kept short enough for any header line.
constexpr qsizetype kParameterPieceLength = 60;
// Kept short so that "<baseName>-<n>.eml" stays a valid file name on every file system.
constexpr qsizetype kMaximumBaseNameLength = 64;

QString singleLine(QString value) {
    for (QChar& character : value) {
        if (character.unicode() < 0x20 || character.unicode() == 0x7f) {
            character = u' ';
        }
    }
    return value;
}

bool isPrintableAscii(QStringView text) {
    return std::ranges::all_of(text,
                               [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
}

// The text split into whole code points, so that no piece cuts a character in two.
QList<QStringView> codePoints(QStringView text) {
    QList<QStringView> points;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        points.append(text.sliced(i, length));
        i += length;
    }
    return points;
}

// RFC 2047 encoded words for an unstructured header value, folded so that no line passes 76
// characters; `used` is the length of the line before the first word.
QByteArray encodedWords(QStringView text, qsizetype used) {
    QList<QByteArray> words;
    QByteArray bytes;
    qsizetype available = kEncodedLineLength - used;
    const auto flush = [&] {
        words.append("=?UTF-8?B?" + bytes.toBase64() + "?=");
        bytes.clear();
        available = kEncodedLineLength - 1;
    };
    for (const QStringView point : codePoints(text)) {
        const QByteArray encoded = point.toUtf8();
        const qsizetype maximumBytes = (available - kEncodedWordOverhead) / 4 * 3;
        if (!bytes.isEmpty() && bytes.size() + encoded.size() > maximumBytes) {
            flush();
        }
        bytes += encoded;
    }
    if (!bytes.isEmpty()) {
        flush();
    }
    return words.join("\r\n ");
}

QByteArray header(QByteArrayView name, const QByteArray& value) {
    return name.toByteArray() + ": " + value + kCrlf.toByteArray();
}

QByteArray subjectHeader(const QString& subject) {
    const QString line = singleLine(subject);
    constexpr QByteArrayView name = "Subject";
    const qsizetype used = name.size() + 2;
    // Plain text that a reader could take for an encoded word is encoded too.
    if (isPrintableAscii(line) && !line.contains(u"=?"_s) &&
        used + line.size() <= kEncodedLineLength) {
        return header(name, line.toLatin1());
    }
    return header(name, encodedWords(line, used));
}

QByteArray dateText(const QDateTime& date) {
    const int offsetMinutes = date.offsetFromUtc() / 60;
    const QString zone = u"%1%2%3"_s.arg(QChar(offsetMinutes < 0 ? u'-' : u'+'))
                             .arg(std::abs(offsetMinutes) / 60, 2, 10, QChar(u'0'))
                             .arg(std::abs(offsetMinutes) % 60, 2, 10, QChar(u'0'));
    return (QLocale::c().toString(date, u"ddd, dd MMM yyyy hh:mm:ss "_s) + zone).toLatin1();
}

// RFC 2231 attr-chars pass as they are; every other byte is percent-encoded.
QByteArray percentEncoded(const QString& value) {
    return value.toUtf8().toPercentEncoding("!#$&+^`|");
}

// One MIME parameter on lines of its own: a quoted string when it is short printable ASCII, else
// UTF-8 in RFC 2231 form, continued over several lines when long.
QByteArray parameter(QByteArrayView attribute, const QString& rawValue) {
    const QString value = singleLine(rawValue);
    const QByteArray name = attribute.toByteArray();
    if (isPrintableAscii(value) && value.size() <= kParameterPieceLength) {
        QByteArray quoted = value.toLatin1();
        quoted.replace('\\', "\\\\").replace('"', "\\\"");
        return ";\r\n " + name + "=\"" + quoted + '"';
    }
    const QByteArray encoded = "UTF-8''" + percentEncoded(value);
    if (encoded.size() <= kParameterPieceLength) {
        return ";\r\n " + name + "*=" + encoded;
    }
    QByteArray pieces;
    int index = 0;
    for (qsizetype start = 0; start < encoded.size(); ++index) {
        qsizetype length = std::min(kParameterPieceLength, encoded.size() - start);
        // A piece never ends inside a "%XX" triple.
        const qsizetype percent = encoded.lastIndexOf('%', start + length - 1);
        if (percent >= start && percent + 3 > start + length) {
            length = percent - start;
        }
        pieces += ";\r\n " + name + '*' + QByteArray::number(index) +
                  "*=" + encoded.sliced(start, length);
        start += length;
    }
    return pieces;
}

// RFC 2045 quoted-printable: the text's line breaks become CRLF, longer lines end in soft breaks.
QByteArray quotedPrintable(const QString& text) {
    QString normalized = text;
    normalized.replace(u"\r\n"_s, u"\n"_s);
    QList<QByteArray> lines;
    for (const QByteArray& line : normalized.toUtf8().split('\n')) {
        QByteArray encoded;
        qsizetype lineLength = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const auto byte = static_cast<unsigned char>(line[i]);
            const bool last = i + 1 == line.size();
            const bool literal = (byte >= 33 && byte <= 126 && byte != '=') ||
                                 ((byte == ' ' || byte == '\t') && !last);
            const QByteArray token =
                literal ? QByteArray(1, char(byte))
                        : '=' + QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
            // A soft break "=" must still fit on the line.
            if (lineLength + token.size() > kEncodedLineLength - 1) {
                encoded += "=\r\n";
                lineLength = 0;
            }
            encoded += token;
            lineLength += token.size();
        }
        lines.append(encoded);
    }
    return lines.join(kCrlf);
}

QByteArray base64Lines(const QByteArray& data) {
    const QByteArray encoded = data.toBase64();
    QList<QByteArray> lines;
    for (qsizetype start = 0; start < encoded.size(); start += kEncodedLineLength) {
        lines.append(encoded.mid(start, kEncodedLineLength));
    }
    return lines.join(kCrlf);
}

QByteArray textPart(const QString& body) {
    return header("Content-Type", "text/plain; charset=utf-8") +
           header("Content-Transfer-Encoding", "quoted-printable") + kCrlf.toByteArray() +
           quotedPrintable(body);
}

QByteArray attachmentPart(const MailAttachment& attachment) {
    const QString mimeType = singleLine(attachment.mimeType).trimmed();
    return header("Content-Type",
                  (mimeType.isEmpty() ? u"application/octet-stream"_s : mimeType).toUtf8() +
                      parameter("name", attachment.fileName)) +
           header("Content-Transfer-Encoding", "base64") +
           header("Content-Disposition",
                  "attachment" + parameter("filename", attachment.fileName)) +
           kCrlf.toByteArray() + base64Lines(attachment.data);
}

// "=_" cannot start a line of quoted-printable or base64 text; checking the parts still rules out a
// file name or type that happens to contain it.
QByteArray boundaryFor(const QList<QByteArray>& parts) {
    for (;;) {
        QByteArray boundary = "=_Pathloom_";
        for (int i = 0; i < 4; ++i) {
            boundary += QByteArray::number(QRandomGenerator::global()->generate(), 16);
        }
        if (std::ranges::none_of(parts,
                                 [&](const QByteArray& part) { return part.contains(boundary); })) {
            return boundary;
        }
    }
}

// A name that stays inside the outbox and shows: no separators, no leading dot, no control
// characters.
QString safeBaseName(const QString& baseName) {
    QString name = baseName.left(kMaximumBaseNameLength);
    for (QChar& character : name) {
        if (!character.isLetterOrNumber() && character != u'-' && character != u'_' &&
            character != u'.') {
            character = u'_';
        }
    }
    if (name.startsWith(u'.')) {
        name[0] = u'_';
    }
    return name.isEmpty() ? u"message"_s : name;
}

std::unexpected<Error> couldNotWrite(const QString& path) {
    return std::unexpected(Error(MailError::couldNotWrite(path)));
}

}  // namespace

QByteArray EmlWriter::write(const MailMessage& message, const QDateTime& date) const {
    QByteArray headers;
    if (m_from) {
        headers += header("From", singleLine(*m_from).toUtf8());
    }
    if (message.to) {
        headers += header("To", singleLine(*message.to).toUtf8());
    }
    headers += subjectHeader(message.subject);
    headers += header("Date", dateText(date));
    headers += header("Message-ID",
                      '<' + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + "@pathloom>");
    headers += header("MIME-Version", "1.0");

    if (message.attachments.isEmpty()) {
        return headers + textPart(message.body);
    }

    QList<QByteArray> parts;
    if (!message.body.isEmpty()) {
        parts.append(textPart(message.body));
    }
    for (const MailAttachment& attachment : message.attachments) {
        parts.append(attachmentPart(attachment));
    }
    const QByteArray boundary = boundaryFor(parts);
    QByteArray eml =
        headers + header("Content-Type",
                         "multipart/mixed" + parameter("boundary", QString::fromLatin1(boundary)));
    for (const QByteArray& part : parts) {
        eml += kCrlf.toByteArray() + "--" + boundary + kCrlf.toByteArray() + part;
    }
    return eml + kCrlf.toByteArray() + "--" + boundary + "--" + kCrlf.toByteArray();
}

std::expected<QString, Error> EmlWriter::writeToFolder(const MailMessage& message,
                                                       const QDir& folder,
                                                       const QString& baseName) const {
    const QString name = safeBaseName(baseName);
    const auto pathFor = [&](int n) { return folder.filePath(u"%1-%2.eml"_s.arg(name).arg(n)); };
    if (!QDir().mkpath(folder.absolutePath())) {
        return couldNotWrite(pathFor(1));
    }
    const QByteArray eml = write(message);
    for (int n = 1;; ++n) {
        const QString path = pathFor(n);
        QFile file(path);
        // Claiming the name and creating the file are one step, so two writers never share one.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            const QFileInfo existing(path);
            if (existing.exists() || existing.isSymLink()) {
                continue;
            }
            return couldNotWrite(path);
        }
        if (file.write(eml) != eml.size() || !file.flush()) {
            file.remove();
            return couldNotWrite(path);
        }
        file.close();
        if (file.error() != QFileDevice::NoError) {
            file.remove();
            return couldNotWrite(path);
        }
        return path;
    }
}

}  // namespace pathloom
