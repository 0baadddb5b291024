import com.sun.management.HotSpotDiagnosticMXBean;
import com.sun.security.auth.module.UnixSystem;
import java.io.DataInputStream;
import java.io.IOException;
import java.lang.management.ManagementFactory;
import java.net.StandardProtocolFamily;
import java.net.UnixDomainSocketAddress;
import java.nio.ByteBuffer;
import java.nio.channels.Channels;
import java.nio.channels.FileChannel;
import java.nio.channels.FileLock;
import java.nio.channels.ServerSocketChannel;
import java.nio.channels.SocketChannel;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.PosixFilePermissions;
import java.nio.file.attribute.UserPrincipal;
import java.util.List;
import java.util.concurrent.RejectedExecutionException;
import java.util.concurrent.ScheduledFuture;
import java.util.concurrent.ScheduledThreadPoolExecutor;
import java.util.concurrent.Semaphore;
import java.util.concurrent.SynchronousQueue;
import java.util.concurrent.ThreadPoolExecutor;
import java.util.concurrent.TimeUnit;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.concurrent.atomic.AtomicLong;
import jdk.net.ExtendedSocketOptions;

/**
 * Keeps one Java compiler warm for the javac beside it. Listens on a Unix socket in a folder only
 * this user can open, answers only this user's connections and runs nothing but the compiler.
 * Ends when its standard input closes (the program that started it has ended) or when idle.
 *
 * <p>It reads no file and writes none for a caller: the caller sends its sources' text (see
 * CompileRequest), they are compiled in memory against the JDK alone with the program's fixed
 * options, and the class files go back to the caller, which writes them with its own rights.
 * Reply: 'R', exit status, output, a count and that many class files (index of their source,
 * file name, bytes); 'E', why the service declines (the caller then compiles on its own); 'S',
 * the state as text. Texts are a 4-byte big-endian length and the bytes.
 *
 * <p>A fixed number of workers serve connections; one more is declined at once. A connection
 * gets a few seconds to send its request and to take its reply.
 */
public final class CompileService {
    private static final long IDLE_MILLIS = 30L * 60 * 1000;
    private static final long TRIM_AFTER_MILLIS = 30L * 1000;
    private static final String WARM_UP_SOURCE = String.join("\n", "import java.applet.*;",
            "import java.awt.*;", "import java.awt.event.*;",
            "public class WarmUp extends Applet implements ActionListener {",
            "  Button button = new Button(\"Press\");", "  Label label = new Label(\"Hello\");",
            "  int count;", "  public void init() {", "    setLayout(null);",
            "    add(button); button.setBounds(10, 10, 65, 33);",
            "    add(label); label.setBounds(10, 60, 73, 25);",
            "    button.addActionListener(this);", "  }",
            "  public void paint(Graphics g) { g.drawString(\"Count: \" + count, 10, 100); }",
            "  public void actionPerformed(ActionEvent e) {",
            "    for (int k = 0; k < 3; k++) count = count * 31 + k;",
            "    label.setText(\"Clicks: \" + count);", "  }", "}");
    private static final long IO_MILLIS = 5000;
    private static final int WORKERS = 4;
    private static final int COMPILE_SLOTS = 2;
    static final int MAX_REPLY_BYTES = 16 << 20;
    private static final String[] LOCALE_VARIABLES = {"LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANG"};

    // Held for the service's life; a collected lock would be released.
    private static FileLock instanceLock;

    // Each compile holds its own compiler instance; two at once keep the heap small.
    private final Semaphore compileSlots = new Semaphore(COMPILE_SLOTS);
    private final AtomicInteger compiles = new AtomicInteger();
    private final AtomicLong lastUse = new AtomicLong(System.currentTimeMillis());
    private final UserPrincipal owner;
    private final Charset fileNames = Charset.forName(System.getProperty("sun.jnu.encoding"));
    private final ThreadPoolExecutor workers = new ThreadPoolExecutor(WORKERS, WORKERS, 1,
            TimeUnit.MINUTES, new SynchronousQueue<>(), CompileService::daemon);
    private final ScheduledThreadPoolExecutor deadlines =
            new ScheduledThreadPoolExecutor(1, CompileService::daemon);

    private CompileService(UserPrincipal owner) {
        this.owner = owner;
        deadlines.setRemoveOnCancelPolicy(true);
    }

    public static void main(String[] args) throws IOException, InterruptedException {
        if (args.length == 2 && args[0].equals("--status")) {
            System.exit(printStatus(Path.of(args[1])));
        }
        // Tests shorten the quiet time after which memory is given back.
        final boolean trimOption = args.length == 3 && args[0].equals("--trim-after-ms");
        if (args.length != 1 && !trimOption) {
            System.err.println("usage: compileservice [--trim-after-ms MS] SOCKET"
                    + " | compileservice --status SOCKET");
            System.exit(2);
        }
        final long trimAfterMillis = trimOption ? Long.parseLong(args[1]) : TRIM_AFTER_MILLIS;
        final Path socket = Path.of(args[args.length - 1]).toAbsolutePath();
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
        startDaemon(() -> service.watchIdleness(trimAfterMillis));
        startDaemon(service::warmUp);
        while (true) service.hand(server.accept());
    }

    private static Thread daemon(Runnable task) {
        final Thread thread = new Thread(task);
        thread.setDaemon(true);
        return thread;
    }

    // To a free worker, or declined at once: its caller compiles on its own.
    private void hand(SocketChannel connection) {
        try {
            workers.execute(() -> serve(connection));
        } catch (RejectedExecutionException | OutOfMemoryError e) {
            try (connection) {
                // A few bytes into an empty socket buffer: this never blocks.
                connection.write(ByteBuffer.wrap(declinedReply("busy")));
            } catch (IOException ignored) {
                // the caller has gone
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
        daemon(task).start();
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

    // A quiet service gives its free heap back (the serial collector shrinks the heap to its free
    // ratio and uncommits the rest) and ends after a long quiet time.
    private void watchIdleness(long trimAfterMillis) {
        long trimmedFor = -1;
        while (true) {
            final long last = lastUse.get();
            final long idle = System.currentTimeMillis() - last;
            final boolean quiet = compileSlots.availablePermits() == COMPILE_SLOTS;
            if (quiet && idle >= IDLE_MILLIS) System.exit(0);
            if (quiet && idle >= trimAfterMillis && trimmedFor != last) {
                collectTightly();
                trimmedFor = last;
            }
            // Awake again by the time a compile from now on has been quiet long enough.
            final long wait = trimmedFor != last ? trimAfterMillis - idle : trimAfterMillis;
            try {
                Thread.sleep(Math.max(100, wait));
            } catch (InterruptedException e) {
                return;
            }
        }
    }

    // Compiles collect with room to grow, so that they run few collections; a quiet service
    // keeps little.
    private static void collectTightly() {
        final HotSpotDiagnosticMXBean vm =
                ManagementFactory.getPlatformMXBean(HotSpotDiagnosticMXBean.class);
        final String compiling = vm.getVMOption("MaxHeapFreeRatio").getValue();
        setMaxHeapFreeRatio(vm, "10");
        System.gc();
        setMaxHeapFreeRatio(vm, compiling);
    }

    // A virtual machine that cannot change it collects with the ratio it started with.
    private static void setMaxHeapFreeRatio(HotSpotDiagnosticMXBean vm, String percent) {
        try {
            vm.setVMOption("MaxHeapFreeRatio", percent);
        } catch (IllegalArgumentException ignored) {
            // the option is not changeable there
        }
    }

    // The first compile a user waits for finds the compiler loaded and its hot paths compiled.
    private void warmUp() {
        final List<CompileRequest.Source> sources = List.of(new CompileRequest.Source(
                "/WarmUp.java", ByteBuffer.wrap(WARM_UP_SOURCE.getBytes(StandardCharsets.UTF_8))));
        for (int round = 0; round < 3; ++round) {
            compileSlots.acquireUninterruptibly();
            try {
                InMemoryCompile.run("UTF-8", sources);
            } catch (IOException | RuntimeException | Error e) {
                return; // the first real compile warms up instead
            } finally {
                compileSlots.release();
            }
        }
    }

    private void serve(SocketChannel connection) {
        try (connection) {
            if (!owner.equals(connection.getOption(ExtendedSocketOptions.SO_PEERCRED).user())) {
                send(connection, declinedReply("connection refused: not this user's"));
                return;
            }
            byte[] reply;
            try {
                final CompileRequest request = withinDeadline(connection,
                        () -> CompileRequest.read(Channels.newInputStream(connection), fileNames));
                reply = request.statusOnly ? statusReply() : compileReply(request);
            } catch (CompileRequest.Malformed e) {
                reply = declinedReply(e.getMessage());
            }
            send(connection, reply);
        } catch (IOException | RuntimeException | OutOfMemoryError e) {
            // This connection ends; the caller falls back to its own compiler.
        }
    }

    private interface Step<T, E extends Exception> {
        T run() throws IOException, E;
    }

    // A connection that does not finish the step in time is closed, which ends the step.
    private <T, E extends Exception> T withinDeadline(SocketChannel connection, Step<T, E> step)
            throws IOException, E {
        final ScheduledFuture<?> closing = deadlines.schedule(() -> {
            try {
                connection.close();
            } catch (IOException ignored) {
                // closed either way
            }
        }, IO_MILLIS, TimeUnit.MILLISECONDS);
        try {
            return step.run();
        } finally {
            closing.cancel(false);
        }
    }

    private void send(SocketChannel connection, byte[] reply) throws IOException {
        withinDeadline(connection, () -> {
            final ByteBuffer bytes = ByteBuffer.wrap(reply);
            while (bytes.hasRemaining()) connection.write(bytes);
            return null;
        });
    }

    private byte[] compileReply(CompileRequest request) throws IOException {
        for (int i = 0; i < LOCALE_VARIABLES.length; ++i) {
            final String own = System.getenv(LOCALE_VARIABLES[i]);
            if (!request.locale.get(i).equals(own == null ? "" : own))
                return declinedReply("another locale");
        }
        final InMemoryCompile.Result result;
        compileSlots.acquireUninterruptibly();
        try {
            result = InMemoryCompile.run(request.encoding, request.sources);
        } catch (RuntimeException | Error e) {
            // Out of resources (the capped heap) or a compiler crash: a javac run of
            // its own has the whole machine and prints its own trace.
            return declinedReply("the compiler failed here");
        } finally {
            compileSlots.release();
            lastUse.set(System.currentTimeMillis());
        }
        final byte[] reply = result.reply();
        if (reply.length > MAX_REPLY_BYTES) return declinedReply("reply too large");
        compiles.incrementAndGet();
        return reply;
    }

    static byte[] declinedReply(String reason) {
        return reply('E', reason.getBytes(StandardCharsets.UTF_8));
    }

    private byte[] statusReply() {
        return reply('S', status().getBytes(StandardCharsets.UTF_8));
    }

    private static byte[] reply(char kind, byte[] text) {
        final ByteBuffer bytes = ByteBuffer.allocate(5 + text.length);
        return bytes.put((byte) kind).putInt(text.length).put(text).array();
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
            final int length = in.readInt();
            if (length < 0 || length > 65536) throw new IOException("not a compile service");
            final byte[] text = new byte[length];
            in.readFully(text);
            System.out.print(new String(text, StandardCharsets.UTF_8));
            return kind == 'S' ? 0 : 1;
        } catch (IOException e) {
            System.err.println("no compile service answers at " + socket + ": " + e.getMessage());
            return 1;
        }
    }
}
