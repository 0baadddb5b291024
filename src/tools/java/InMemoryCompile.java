import com.sun.tools.javac.api.ClientCodeWrapper;
import com.sun.tools.javac.file.JavacFileManager;
import com.sun.tools.javac.util.Context;
import java.io.ByteArrayOutputStream;
import java.io.DataOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.io.OutputStreamWriter;
import java.io.PrintWriter;
import java.net.URI;
import java.net.URISyntaxException;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import javax.tools.FileObject;
import javax.tools.JavaCompiler;
import javax.tools.JavaFileObject;
import javax.tools.SimpleJavaFileObject;
import javax.tools.StandardLocation;
import javax.tools.ToolProvider;

/**
 * Compiles a request's sources in memory against the JDK alone, with the program's fixed options
 * and nothing that loads code: no class path, no annotation processors, no plugins. Messages are
 * the bytes a javac run prints; class files are handed back, never written here.
 */
final class InMemoryCompile {
    private static final JavaCompiler COMPILER = ToolProvider.getSystemJavaCompiler();

    record ClassFile(int source, String fileName, ByteArrayOutputStream bytes) {}

    record Result(int status, byte[] output, List<ClassFile> classes) {
        byte[] reply() throws IOException {
            final ByteArrayOutputStream bytes = new ByteArrayOutputStream();
            final DataOutputStream out = new DataOutputStream(bytes);
            out.writeByte('R');
            out.writeInt(status);
            out.writeInt(output.length);
            out.write(output);
            out.writeInt(classes.size());
            for (ClassFile file : classes) {
                final byte[] name = file.fileName().getBytes(StandardCharsets.UTF_8);
                out.writeInt(file.source());
                out.writeInt(name.length);
                out.write(name);
                out.writeInt(file.bytes().size());
                file.bytes().writeTo(out);
            }
            return bytes.toByteArray();
        }
    }

    private InMemoryCompile() {}

    static Result run(String encodingName, List<CompileRequest.Source> sent) throws IOException {
        final Charset encoding = Charset.forName(encodingName);
        final List<SourceText> sources = new ArrayList<>();
        for (CompileRequest.Source source : sent)
            sources.add(new SourceText(sources.size(), source, encoding));
        final ByteArrayOutputStream output = new ByteArrayOutputStream();
        final List<ClassFile> classes = new ArrayList<>();
        try (ClassesInMemory files = new ClassesInMemory(encoding, classes);
                PrintWriter writer = new PrintWriter(
                        new OutputStreamWriter(output, Charset.defaultCharset()), true)) {
            // javac's default class path is its working folder; the caller's has no classes.
            files.setLocation(StandardLocation.CLASS_PATH, List.of());
            final boolean clean = COMPILER.getTask(writer, files, null,
                                                  List.of("-Xlint:none", "-XDsuppressNotes",
                                                          "-proc:none", "-encoding",
                                                          encodingName),
                                                  null, sources)
                                          .call();
            writer.flush();
            return new Result(clean ? 0 : 1, output.toByteArray(), classes);
        }
    }

    // A source as the caller named it: messages show that name. Taken as it is, it comes back
    // as the sibling of its class files.
    @ClientCodeWrapper.Trusted
    private static final class SourceText extends SimpleJavaFileObject {
        final int index;
        private final String name;
        private final String text;

        SourceText(int index, CompileRequest.Source source, Charset encoding) {
            super(uri(index, source.name()), Kind.SOURCE);
            this.index = index;
            this.name = source.name();
            this.text = encoding.decode(source.text().duplicate()).toString();
        }

        // The base name decides which public class the file may hold.
        private static URI uri(int index, String name) {
            try {
                return new URI("tzsource", null,
                        "/" + index + "/" + name.substring(name.lastIndexOf('/') + 1), null);
            } catch (URISyntaxException e) {
                throw new IllegalArgumentException(e);
            }
        }

        @Override
        public String getName() {
            return name;
        }

        @Override
        public CharSequence getCharContent(boolean ignoreEncodingErrors) {
            return text;
        }
    }

    // Class files go beside their source, as javac without -d puts them. The compiler's own
    // file manager, taken as it is: wrapped or of another kind, it would not flag internal
    // JDK API as javac does.
    @ClientCodeWrapper.Trusted
    private static final class ClassesInMemory extends JavacFileManager {
        private final List<ClassFile> classes;

        ClassesInMemory(Charset encoding, List<ClassFile> classes) {
            super(new Context(), true, encoding);
            this.classes = classes;
        }

        @Override
        public JavaFileObject getJavaFileForOutput(Location location, String className,
                JavaFileObject.Kind kind, FileObject sibling) throws IOException {
            if (kind != JavaFileObject.Kind.CLASS || !(sibling instanceof SourceText source))
                throw new IOException("only class files of the sources sent are written");
            final String fileName = className.substring(className.lastIndexOf('.') + 1) + ".class";
            final ClassFile file =
                    new ClassFile(source.index, fileName, new ByteArrayOutputStream());
            classes.add(file);
            return new SimpleJavaFileObject(URI.create("tzclass:/" + classes.size()), kind) {
                @Override
                public OutputStream openOutputStream() {
                    return file.bytes();
                }
            };
        }

        @Override
        public boolean isSameFile(FileObject a, FileObject b) {
            if (a instanceof SourceText || b instanceof SourceText) return a == b;
            return super.isSameFile(a, b);
        }
    }
}
