import java.applet.Applet;
import java.applet.AppletContext;
import java.applet.AppletStub;
import java.applet.AudioClip;
import java.awt.BorderLayout;
import java.awt.Desktop;
import java.awt.Dimension;
import java.awt.Frame;
import java.awt.Image;
import java.awt.Label;
import java.awt.Toolkit;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.io.File;
import java.io.InputStream;
import java.net.MalformedURLException;
import java.net.URI;
import java.net.URISyntaxException;
import java.net.URL;
import java.net.URLClassLoader;
import java.nio.ByteBuffer;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.nio.file.Paths;
import java.util.Collections;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.Iterator;
import java.util.Locale;
import java.util.Map;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * Runs the applet that an HTML page's APPLET tag names, in a window of its size. The page is
 * a file, or run.htm inside the archive this class came from: then the applet's classes and
 * files are that archive's entries.
 */
public final class AppletRunner implements AppletStub, AppletContext {
    private static final Pattern TAG = Pattern.compile("<\\s*(APPLET|PARAM)\\b([^>]*)>",
            Pattern.CASE_INSENSITIVE);
    private static final Pattern ATTRIBUTE = Pattern.compile(
            "([A-Za-z]+)\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s\"'>]+))");

    private static final Pattern CHARSET = Pattern.compile(
            "<\\s*META\\b[^>]*\\bCHARSET\\s*=\\s*[\"']?([A-Za-z0-9._:-]+)", Pattern.CASE_INSENSITIVE);

    private static final String PAGE_IN_ARCHIVE = "/run.htm";
    // Characters a URI may hold as they stand; '?' and '#' here belong to file names.
    private static final String URI_CHARACTERS =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_.!~*'();/:@&=+$,";

    private final URL base;  // the page's folder: document and code base
    private final Map<String, String> parameters = new HashMap<>();
    private Label status;  // made with the window: a page can be read without a display
    private String code;
    private int width = 400;
    private int height = 300;
    private Applet applet;

    private AppletRunner(URL page) throws Exception {
        String text = page.toString();
        base = new URL(text.substring(0, text.lastIndexOf('/') + 1));
        try (InputStream in = page.openStream()) {
            readPage(decoded(in.readAllBytes()));
        }
    }

    /**
     * The page in the encoding it names in a META tag; a page that names none is read as UTF-8
     * where it is valid UTF-8, else as ISO-8859-1.
     */
    private static String decoded(byte[] bytes) {
        Matcher m = CHARSET.matcher(new String(bytes, StandardCharsets.ISO_8859_1));
        if (m.find()) {
            try {
                return new String(bytes, Charset.forName(m.group(1)));
            } catch (IllegalArgumentException e) {
                // an encoding this Java does not know: read as if none were named
            }
        }
        try {
            return StandardCharsets.UTF_8.newDecoder().decode(ByteBuffer.wrap(bytes)).toString();
        } catch (CharacterCodingException e) {
            return new String(bytes, StandardCharsets.ISO_8859_1);
        }
    }

    /** The page named on the command line, else the archive's own, else run.htm here. */
    private static URL pageOf(String[] args) throws MalformedURLException {
        URL inArchive = AppletRunner.class.getResource(PAGE_IN_ARCHIVE);
        if (args.length == 0 && inArchive != null) return inArchive;
        return new File(args.length > 0 ? args[0] : "run.htm").getAbsoluteFile().toURI().toURL();
    }

    private static Map<String, String> attributes(String text) {
        Map<String, String> result = new HashMap<>();
        Matcher m = ATTRIBUTE.matcher(text);
        while (m.find()) {
            String value = m.group(3) != null ? m.group(3) : m.group(4) != null ? m.group(4) : m.group(5);
            result.put(m.group(1).toUpperCase(Locale.ROOT), unescaped(value));
        }
        return result;
    }

    /** The page writes &, ", < and > in values as entities. */
    private static String unescaped(String value) {
        return value.replace("&quot;", "\"").replace("&lt;", "<").replace("&gt;", ">")
                .replace("&amp;", "&");
    }

    private void readPage(String html) {
        Matcher m = TAG.matcher(html);
        while (m.find()) {
            Map<String, String> attrs = attributes(m.group(2));
            if (m.group(1).equalsIgnoreCase("APPLET")) {
                code = attrs.get("CODE");
                width = number(attrs.get("WIDTH"), width);
                height = number(attrs.get("HEIGHT"), height);
            } else if (attrs.containsKey("NAME")) {
                parameters.put(attrs.get("NAME").toLowerCase(Locale.ROOT), attrs.getOrDefault("VALUE", ""));
            }
        }
    }

    private static int number(String text, int fallback) {
        try {
            return text == null ? fallback : Math.max(1, Integer.parseInt(text.trim()));
        } catch (NumberFormatException e) {
            return fallback;
        }
    }

    private void report(String message) {
        System.err.println(message);
        showStatus(message);
    }

    private void run() {
        status = new Label(" ");
        Frame frame = new Frame("Applet Viewer: " + (code == null ? "" : code));
        frame.setLayout(new BorderLayout());
        frame.add(status, BorderLayout.SOUTH);
        frame.addWindowListener(new WindowAdapter() {
            @Override
            public void windowClosing(WindowEvent e) {
                if (applet != null) {
                    applet.stop();
                    applet.destroy();
                }
                frame.dispose();
                System.exit(0);
            }
        });
        try {
            if (code == null) throw new IllegalArgumentException("The page has no APPLET tag with a CODE.");
            String className = code.endsWith(".class") ? code.substring(0, code.length() - 6) : code;
            URLClassLoader loader = new URLClassLoader(new URL[] {base});
            applet = (Applet) loader.loadClass(className.replace('/', '.')).getDeclaredConstructor().newInstance();
            applet.setStub(this);
            // The frame is made to fit the applet: a window manager's borders are only known
            // once the frame is shown.
            applet.setPreferredSize(new Dimension(width, height));
            applet.setSize(width, height);
            frame.add(applet, BorderLayout.CENTER);
            applet.init();
            applet.start();
            showStatus("Applet started.");
        } catch (Throwable e) {
            Throwable cause = e.getCause() != null ? e.getCause() : e;
            report("Applet not started: " + cause);
        }
        frame.pack();
        frame.setVisible(true);
        frame.pack();
    }

    public static void main(String[] args) throws Exception {
        AppletRunner runner = new AppletRunner(pageOf(args));
        if (args.length > 1 && args[1].equals("--describe")) {
            // In UTF-8 whatever the locale: the page's every character can be told.
            new java.io.PrintStream(System.out, true, StandardCharsets.UTF_8).println("code="
                    + runner.code + " width=" + runner.width + " height=" + runner.height
                    + " parameters=" + new java.util.TreeMap<>(runner.parameters));
            return;
        }
        java.awt.EventQueue.invokeLater(runner::run);
    }

    // AppletStub
    @Override public boolean isActive() { return applet != null; }
    @Override public URL getDocumentBase() { return base; }
    @Override public URL getCodeBase() { return base; }
    @Override public String getParameter(String name) {
        return name == null ? null : parameters.get(name.toLowerCase(Locale.ROOT));
    }
    @Override public AppletContext getAppletContext() { return this; }
    @Override public void appletResize(int w, int h) { if (applet != null) applet.setSize(w, h); }

    /**
     * A URL as applets make it: an encoded base with a name appended as it stands, blanks and
     * all. Whatever a URI cannot hold is encoded; escapes already there are kept.
     */
    private static URI uriOf(URL url) throws URISyntaxException {
        String text = url.toString();
        StringBuilder uri = new StringBuilder();
        for (int i = 0; i < text.length(); i += Character.charCount(text.codePointAt(i))) {
            int c = text.codePointAt(i);
            boolean escape = c == '%' && i + 2 < text.length()
                    && Character.digit(text.charAt(i + 1), 16) >= 0
                    && Character.digit(text.charAt(i + 2), 16) >= 0;
            boolean plain = c < 128 ? URI_CHARACTERS.indexOf(c) >= 0
                    : !Character.isISOControl(c) && !Character.isSpaceChar(c);
            if (escape || plain) {
                uri.appendCodePoint(c);
            } else {
                for (byte b : new String(Character.toChars(c)).getBytes(StandardCharsets.UTF_8)) {
                    uri.append(String.format("%%%02X", b & 0xff));
                }
            }
        }
        return new URI(uri.toString());
    }

    /** The URL in its proper encoding; as it stands when it cannot be read so. */
    private static URL proper(URL url) {
        try {
            return uriOf(url).toURL();
        } catch (URISyntaxException | MalformedURLException | IllegalArgumentException e) {
            return url;
        }
    }

    // AppletContext
    @Override public AudioClip getAudioClip(URL url) { return Applet.newAudioClip(proper(url)); }
    @Override public Image getImage(URL url) {
        URL source = proper(url);
        try {
            if ("file".equals(source.getProtocol())) {
                return Toolkit.getDefaultToolkit().getImage(Paths.get(source.toURI()).toString());
            }
        } catch (URISyntaxException | IllegalArgumentException e) {
            // a file URL with a host: read as a URL
        }
        return Toolkit.getDefaultToolkit().getImage(source);
    }
    @Override public Applet getApplet(String name) { return null; }
    @Override public Enumeration<Applet> getApplets() {
        return Collections.enumeration(applet == null ? Collections.<Applet>emptyList()
                : Collections.singletonList(applet));
    }
    @Override public void showDocument(URL url) { showDocument(url, "_self"); }
    @Override public void showDocument(URL url, String target) {
        try {
            if (Desktop.isDesktopSupported()) Desktop.getDesktop().browse(url.toURI());
        } catch (Exception e) {
            report("Cannot open " + url + ": " + e.getMessage());
        }
    }
    @Override public void showStatus(String text) {
        if (status != null) status.setText(text == null ? " " : text);
    }
    @Override public void setStream(String key, InputStream stream) { }
    @Override public InputStream getStream(String key) { return null; }
    @Override public Iterator<String> getStreamKeys() { return Collections.emptyIterator(); }
}
