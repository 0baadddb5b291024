import java.io.DataInputStream;
import java.io.EOFException;
import java.io.IOException;
import java.io.InputStream;
import java.nio.BufferUnderflowException;
import java.nio.ByteBuffer;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.Charset;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;

/**
 * One request to the compile service, as read from its connection.
 *
 * <p>"TZS1" asks for the service's state. "TZC2" asks for a compile: the length of the rest,
 * then the caller's LC_ALL, LC_CTYPE, LC_MESSAGES and LANG, the sources' encoding ("UTF-8" or
 * "ISO-8859-1"), a count and that many pairs of source name (as the caller named the file) and
 * source text. Texts are a 4-byte big-endian length and the bytes; counts are 4-byte too.
 *
 * <p>Reading allocates in proportion to the bytes that arrived, never to a length announced.
 */
final class CompileRequest {
    static final int MAX_BYTES = 4 << 20;
    static final int MAX_SOURCES = 64;
    static final int MAX_NAME_BYTES = 4096;
    static final int MAX_LOCALE_BYTES = 256;
    static final int LOCALE_VARIABLES = 4;
    static final List<String> ENCODINGS = List.of("UTF-8", "ISO-8859-1");

    /** The one way reading refuses what arrived. */
    static final class Malformed extends Exception {
        private static final long serialVersionUID = 1L;

        Malformed(String why) {
            super(why, null, false, false);
        }
    }

    record Source(String name, ByteBuffer text) {}

    final boolean statusOnly;
    final List<String> locale;
    final String encoding;
    final List<Source> sources;

    private CompileRequest(
            boolean statusOnly, List<String> locale, String encoding, List<Source> sources) {
        this.statusOnly = statusOnly;
        this.locale = locale;
        this.encoding = encoding;
        this.sources = sources;
    }

    /**
     * Names are decoded as the caller's file names are (fileNames); a name that does not survive
     * that is refused. Throws IOException only when the connection itself fails.
     */
    static CompileRequest read(InputStream stream, Charset fileNames)
            throws IOException, Malformed {
        final DataInputStream in = new DataInputStream(stream);
        try {
            final byte[] magic = new byte[4];
            in.readFully(magic);
            final String kind = new String(magic, StandardCharsets.ISO_8859_1);
            if (kind.equals("TZS1")) return new CompileRequest(true, List.of(), "", List.of());
            if (!kind.equals("TZC2")) throw new Malformed("not a compile request");
            final int length = in.readInt();
            if (length < 0 || length > MAX_BYTES) throw new Malformed("request too large");
            final byte[] body = in.readNBytes(length);
            if (body.length != length) throw new Malformed("incomplete request");
            return parse(ByteBuffer.wrap(body), fileNames);
        } catch (EOFException e) {
            throw new Malformed("incomplete request");
        }
    }

    private static CompileRequest parse(ByteBuffer body, Charset fileNames) throws Malformed {
        try {
            final List<String> locale = new ArrayList<>(LOCALE_VARIABLES);
            for (int i = 0; i < LOCALE_VARIABLES; ++i)
                locale.add(decode(text(body, MAX_LOCALE_BYTES), fileNames));
            final String encoding = decode(text(body, 16), StandardCharsets.US_ASCII);
            if (!ENCODINGS.contains(encoding)) throw new Malformed("unknown encoding");
            final int count = body.getInt();
            if (count < 1 || count > MAX_SOURCES) throw new Malformed("wrong number of sources");
            final List<Source> sources = new ArrayList<>(count);
            for (int i = 0; i < count; ++i) {
                final String name = decode(text(body, MAX_NAME_BYTES), fileNames);
                if (!name.endsWith(".java")) throw new Malformed("not a Java source");
                sources.add(new Source(name, text(body, MAX_BYTES)));
            }
            if (body.hasRemaining()) throw new Malformed("trailing bytes");
            return new CompileRequest(false, locale, encoding, sources);
        } catch (BufferUnderflowException e) {
            throw new Malformed("incomplete request");
        }
    }

    // A view of the next text in body, without a copy.
    private static ByteBuffer text(ByteBuffer body, int maxBytes) throws Malformed {
        final int length = body.getInt();
        if (length < 0 || length > maxBytes || length > body.remaining())
            throw new Malformed("text too long");
        final ByteBuffer text = body.slice(body.position(), length);
        body.position(body.position() + length);
        return text;
    }

    private static String decode(ByteBuffer bytes, Charset charset) throws Malformed {
        try {
            final String text = charset.newDecoder()
                                        .onMalformedInput(CodingErrorAction.REPORT)
                                        .onUnmappableCharacter(CodingErrorAction.REPORT)
                                        .decode(bytes.duplicate())
                                        .toString();
            final byte[] original = new byte[bytes.remaining()];
            bytes.duplicate().get(original);
            if (text.indexOf('\0') >= 0 || !Arrays.equals(text.getBytes(charset), original))
                throw new Malformed("a name that is not the caller's");
            return text;
        } catch (CharacterCodingException e) {
            throw new Malformed("a name that is not the caller's");
        }
    }
}
