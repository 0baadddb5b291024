import com.sun.security.auth.module.UnixSystem;
import java.io.BufferedInputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.EOFException;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.PrintWriter;
import java.net.StandardProtocolFamily;
import java.net.UnixDomainSocketAddress;
import java.nio.ByteBuffer;
import java.nio.channels.Channels;
import java.nio.channels.FileChannel;
import java.nio.channels.FileLock;
import java.nio.channels.ServerSocketChannel;
import java.nio.channels.SocketChannel;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.Charset;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.PosixFilePermission;
import java.nio.file.attribute.PosixFilePermissions;
import java.nio.file.attribute.UserPrincipal;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Set;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Semaphore;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.concurrent.atomic.AtomicLong;
import jdk.net.ExtendedSocketOptions;

/**
 * Keeps one Java compiler warm for the javac beside it. Listens on a Unix socket in a folder only
 * this user can open, answers only this user's connections and runs nothing but the compiler.
 * Ends when its standard input closes (the program that started it has ended) or when idle.
 *
 * <p>Request: "TZC1", a count, then that many strings (length, bytes): the working directory,
 * LC_ALL, LC_CTYPE, LC_MESSAGES, LANG of the caller and the compiler's arguments. "TZS1" asks
 * for the service's state. Reply: 'R', exit status, output; 'E', why the service declines (the
 * caller then compiles on its own); 'S', the state as text.
 */
public final class CompileService {
    private static final long IDLE_MILLIS = 30L * 60 * 1000;
    private static final int MAX_STRINGS = 4096;
    // javac's exit statuses for a compiler that could not finish.
    private static final int SYSTEM_ERROR = 3;
    private static final int ABNORMAL = 4;
    private static final int MAX_STRING_BYTES = 1 << 20;
    private static final String[] LOCALE_VARIABLES = {"LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANG"};
    // Options whose value is not a file name.
    private static final Set<String> PLAIN_VALUE_OPTIONS =
            Set.of("-encoding", "-source", "--source", "-target", "--target", "--release");
    private static final Set<String> CLASS_PATH_OPTIONS =
            Set.of("-cp", "-classpath", "--class-path");

    // Held for the service's life; a collected lock would be released.
    private static FileLock instanceLock;

    // Each compile holds its own compiler instance; two at once keep the heap small.
    private final Semaphore compileSlots = new Semaphore(2);
    private final AtomicInteger compiles = new AtomicInteger();
    private final AtomicLong lastUse = new AtomicLong(System.currentTimeMillis());
    private final UserPrincipal owner;
    private final Charset fileNames = Charset.forName(System.getProperty("sun.jnu.encoding"));

    private CompileService(UserPrincipal owner) {
        this.owner = owner;
    }

    public static void main(String[] args) throws IOException, InterruptedException {
        if (args.length == 2 && args[0].equals("--status")) {
            System.exit(printStatus(Path.of(args[1])));
        }
        if (args.length != 1) {
            System.err.println("usage: compileservice SOCKET | compileservice --status SOCKET");
            System.exit(2);
        }
        final Path socket = Path.of(args[0]).toAbsolutePath();
        final Path folder = socket.getParent();
        if (!isPrivateFolder(folder)) {
            System.err.println(
                    "compile service: " + folder + " is not a folder only this user can open");
            System.exit(1);
        }
        final FileChannel lockFile =
                FileChannel.open(folder.resolve(socket.getFileName() + ".lock"),
                        StandardOpenOption.CREATE, StandardOpenOption.WRITE);
        // One service per user: another one holds the lock.
        instanceLock = lockFile.tryLock();
        if (instanceLock == null) System.exit(0);
        Files.deleteIfExists(socket);
        final ServerSocketChannel server = ServerSocketChannel.open(StandardProtocolFamily.UNIX);
        server.bind(UnixDomainSocketAddress.of(socket));
        Runtime.getRuntime().addShutdownHook(new Thread(() -> {
            try {
                Files.deleteIfExists(socket);
            } catch (IOException ignored) {
                // a stale socket is removed by the next service
            }
        }));
        final CompileService service = new CompileService(Files.getOwner(folder));
        startDaemon(CompileService::endWithParent);
        startDaemon(service::endWhenIdle);
        final ExecutorService connections = Executors.newCachedThreadPool(task -> {
            final Thread thread = new Thread(task);
            thread.setDaemon(true);
            return thread;
        });
        while (true) {
            final SocketChannel connection = server.accept();
            try {
                connections.execute(() -> service.serve(connection));
            } catch (RuntimeException | OutOfMemoryError e) {
                // No thread for it: its caller compiles on its own.
                connection.close();
            }
        }
    }

    private static boolean isPrivateFolder(Path folder) throws IOException {
        if (!Files.isDirectory(folder, LinkOption.NOFOLLOW_LINKS)) return false;
        final Object uid = Files.getAttribute(folder, "unix:uid", LinkOption.NOFOLLOW_LINKS);
        return uid.equals((int) new UnixSystem().getUid())
                && Files.getPosixFilePermissions(folder, LinkOption.NOFOLLOW_LINKS)
                           .equals(PosixFilePermissions.fromString("rwx------"));
    }

    private static void startDaemon(Runnable task) {
        final Thread thread = new Thread(task);
        thread.setDaemon(true);
        thread.start();
    }

    // The starter holds the other end of standard input; it closes when the starter ends.
    private static void endWithParent() {
        try {
            while (System.in.read() >= 0) {
                // nothing is sent; reading only waits for the end
            }
        } catch (IOException ignored) {
            // a broken pipe also means the starter is gone
        }
        System.exit(0);
    }

    private void endWhenIdle() {
        while (true) {
            final long idle = System.currentTimeMillis() - lastUse.get();
            if (idle >= IDLE_MILLIS && compileSlots.availablePermits() == 2) System.exit(0);
            try {
                Thread.sleep(Math.max(1000, IDLE_MILLIS - idle));
            } catch (InterruptedException e) {
                return;
            }
        }
    }

    private void serve(SocketChannel connection) {
        try (connection) {
            final DataInputStream in = new DataInputStream(
                    new BufferedInputStream(Channels.newInputStream(connection)));
            final DataOutputStream out = new DataOutputStream(Channels.newOutputStream(connection));
            if (!owner.equals(connection.getOption(ExtendedSocketOptions.SO_PEERCRED).user())) {
                declined(out, "connection refused: not this user's");
                return;
            }
            final byte[] magic = new byte[4];
            try {
                in.readFully(magic);
            } catch (EOFException e) {
                return; // someone only checked that the service is there
            }
            lastUse.set(System.currentTimeMillis());
            final String kind = new String(magic, StandardCharsets.ISO_8859_1);
            if (kind.equals("TZS1")) {
                out.writeByte('S');
                writeBytes(out, status().getBytes(StandardCharsets.UTF_8));
            } else if (kind.equals("TZC1")) {
                compile(in, out);
            } else {
                declined(out, "not a compile request");
            }
            out.flush();
        } catch (IOException | RuntimeException | OutOfMemoryError e) {
            // This connection ends; the caller falls back to its own compiler.
        }
    }

    private void compile(DataInputStream in, DataOutputStream out) throws IOException {
        final List<String> strings;
        try {
            strings = readStrings(in);
        } catch (IOException e) {
            declined(out, "malformed compile request");
            return;
        }
        final String reason = whyDeclined(strings);
        if (reason != null) {
            declined(out, reason);
            return;
        }
        final String workingDirectory = strings.get(0);
        final List<String> arguments =
                new ArrayList<>(strings.subList(1 + LOCALE_VARIABLES.length, strings.size()));
        // javac's default class path is its working directory.
        if (arguments.stream().noneMatch(
                    a -> CLASS_PATH_OPTIONS.contains(a) || a.startsWith("--class-path=")))
            arguments.addAll(0, List.of("-classpath", workingDirectory));
        final ByteArrayOutputStream output = new ByteArrayOutputStream();
        final int status;
        compileSlots.acquireUninterruptibly();
        try (PrintWriter writer = new PrintWriter(
                     new OutputStreamWriter(output, Charset.defaultCharset()), true)) {
            // The compiler's own command-line entry: the same messages and status as a javac run.
            status = com.sun.tools.javac.Main.compile(arguments.toArray(new String[0]), writer);
        } finally {
            compileSlots.release();
            lastUse.set(System.currentTimeMillis());
        }
        // Out of resources (the capped heap) or a compiler crash: a javac run of
        // its own has the whole machine and prints its own trace.
        if (status == SYSTEM_ERROR || status == ABNORMAL) {
            declined(out, "the compiler failed here");
            return;
        }
        compiles.incrementAndGet();
        out.writeByte('R');
        out.writeInt(status);
        writeBytes(out, output.toByteArray());
    }

    // Null when a compile here reads and writes what a javac started in the caller's folder would.
    private String whyDeclined(List<String> strings) {
        if (strings.size() < 1 + LOCALE_VARIABLES.length) return "malformed compile request";
        for (int i = 0; i < LOCALE_VARIABLES.length; ++i) {
            final String own = System.getenv(LOCALE_VARIABLES[i]);
            if (!strings.get(1 + i).equals(own == null ? "" : own)) return "another locale";
        }
        if (!strings.get(0).startsWith("/") || !Files.isDirectory(Path.of(strings.get(0))))
            return "no working directory";
        final List<String> arguments = strings.subList(1 + LOCALE_VARIABLES.length, strings.size());
        for (int i = 0; i < arguments.size(); ++i) {
            final String argument = arguments.get(i);
            if (argument.startsWith("@") || argument.startsWith("-J")) return "launcher options";
            if (PLAIN_VALUE_OPTIONS.contains(argument)) {
                ++i;
            } else if (argument.startsWith("--") && argument.contains("=")) {
                if (!argument.substring(argument.indexOf('=') + 1).startsWith("/"))
                    return "relative path";
            } else if (!argument.startsWith("-") && !argument.startsWith("/")) {
                return "relative path";
            }
        }
        return null;
    }

    // Strings as the caller's javac would decode them; a name that does not survive that is
    // refused.
    private List<String> readStrings(DataInputStream in) throws IOException {
        final int count = in.readInt();
        if (count < 0 || count > MAX_STRINGS) throw new IOException("too many strings");
        final List<String> strings = new ArrayList<>(count);
        for (int i = 0; i < count; ++i) {
            final int length = in.readInt();
            if (length < 0 || length > MAX_STRING_BYTES) throw new IOException("string too long");
            final byte[] bytes = new byte[length];
            in.readFully(bytes);
            final String text = fileNames.newDecoder()
                                        .onMalformedInput(CodingErrorAction.REPORT)
                                        .onUnmappableCharacter(CodingErrorAction.REPORT)
                                        .decode(ByteBuffer.wrap(bytes))
                                        .toString();
            if (text.indexOf('\0') >= 0 || !Arrays.equals(text.getBytes(fileNames), bytes))
                throw new CharacterCodingException();
            strings.add(text);
        }
        return strings;
    }

    private static void declined(DataOutputStream out, String reason) throws IOException {
        out.writeByte('E');
        writeBytes(out, reason.getBytes(StandardCharsets.UTF_8));
        out.flush();
    }

    private static void writeBytes(DataOutputStream out, byte[] bytes) throws IOException {
        out.writeInt(bytes.length);
        out.write(bytes);
    }

    private String status() {
        long rssKb = -1;
        try {
            for (String line : Files.readAllLines(Path.of("/proc/self/status"))) {
                if (line.startsWith("VmRSS:"))
                    rssKb = Long.parseLong(line.replaceAll("[^0-9]", ""));
            }
        } catch (IOException | NumberFormatException ignored) {
            // no resident size on this system
        }
        return "pid=" + ProcessHandle.current().pid() + " rss-kb=" + rssKb
                + " compiles=" + compiles.get()
                + " heap-max-mb=" + Runtime.getRuntime().maxMemory() / (1024 * 1024) + "\n";
    }

    private static int printStatus(Path socket) throws IOException {
        try (SocketChannel channel = SocketChannel.open(UnixDomainSocketAddress.of(socket))) {
            try {
                channel.write(ByteBuffer.wrap("TZS1".getBytes(StandardCharsets.ISO_8859_1)));
            } catch (IOException e) {
                // a refusal may already be there to read
            }
            final DataInputStream in = new DataInputStream(Channels.newInputStream(channel));
            final int kind = in.readByte();
            final byte[] text = new byte[in.readInt()];
            in.readFully(text);
            System.out.print(new String(text, StandardCharsets.UTF_8));
            return kind == 'S' ? 0 : 1;
        } catch (IOException e) {
            System.err.println("no compile service answers at " + socket + ": " + e.getMessage());
            return 1;
        }
    }
}
