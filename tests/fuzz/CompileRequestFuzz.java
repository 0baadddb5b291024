import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataOutputStream;
import java.io.IOException;
import java.lang.management.ManagementFactory;
import java.nio.ByteBuffer;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HexFormat;
import java.util.List;
import java.util.Random;

/**
 * Fuzzes the compile service's request reader from a fixed seed: whole requests, then flipped,
 * cut, lengthened and lying lengths, and plain noise. Fails when reading throws anything but its
 * rejection, allocates more than a few times the bytes it was given, or reads a whole request
 * back other than it was written. Usage: CompileRequestFuzz [ITERATIONS [SEED]]
 */
public final class CompileRequestFuzz {
    private record Sample(List<String> locale, String encoding, List<String> names,
            List<byte[]> texts, byte[] bytes) {}

    public static void main(String[] args) throws IOException {
        final int iterations = args.length > 0 ? Integer.parseInt(args[0]) : 20000;
        final long seed = args.length > 1 ? Long.parseLong(args[1]) : 19;
        final Random random = new Random(seed);
        final com.sun.management.ThreadMXBean threads =
                (com.sun.management.ThreadMXBean) ManagementFactory.getThreadMXBean();
        for (int i = 0; i < iterations; ++i) {
            final Sample sample = sample(random);
            final boolean whole = random.nextInt(4) == 0;
            final byte[] input = whole ? sample.bytes() : mutate(random, sample.bytes());
            final long before = threads.getCurrentThreadAllocatedBytes();
            CompileRequest request = null;
            try {
                request = CompileRequest.read(
                        new ByteArrayInputStream(input), StandardCharsets.UTF_8);
            } catch (CompileRequest.Malformed rejected) {
                // the one way to refuse
            } catch (Throwable e) {
                fail(i, input, "threw " + e);
            }
            final long allocated = threads.getCurrentThreadAllocatedBytes() - before;
            if (allocated > 4L * input.length + (1 << 20))
                fail(i, input, "allocated " + allocated + " bytes");
            if (whole && (request == null || !readsBack(sample, request)))
                fail(i, input, "a whole request did not read back");
        }
        System.out.println(iterations + " inputs from seed " + seed + ": no fault");
    }

    private static void fail(int iteration, byte[] input, String what) {
        final String head = HexFormat.of().formatHex(input, 0, Math.min(input.length, 64));
        System.out.println("input " + iteration + " (" + input.length + " bytes, " + head
                + "...): " + what);
        System.exit(1);
    }

    private static boolean readsBack(Sample sample, CompileRequest request) {
        if (request.statusOnly || !request.locale.equals(sample.locale())
                || !request.encoding.equals(sample.encoding())
                || request.sources.size() != sample.names().size())
            return false;
        for (int i = 0; i < sample.names().size(); ++i) {
            final CompileRequest.Source source = request.sources.get(i);
            if (!source.name().equals(sample.names().get(i))
                    || !source.text().equals(ByteBuffer.wrap(sample.texts().get(i))))
                return false;
        }
        return true;
    }

    private static Sample sample(Random random) throws IOException {
        final List<String> locale = new ArrayList<>();
        for (int i = 0; i < CompileRequest.LOCALE_VARIABLES; ++i)
            locale.add(random.nextBoolean() ? "" : "de_DE.UTF-8");
        final String encoding =
                CompileRequest.ENCODINGS.get(random.nextInt(CompileRequest.ENCODINGS.size()));
        final List<String> names = new ArrayList<>();
        final List<byte[]> texts = new ArrayList<>();
        for (int i = 1 + random.nextInt(3); i > 0; --i) {
            names.add("/home/ü ser/My \"Apps\"/Class" + random.nextInt(100) + ".java");
            final byte[] text = new byte[random.nextInt(2000)];
            random.nextBytes(text);
            texts.add(text);
        }
        final ByteArrayOutputStream body = new ByteArrayOutputStream();
        final DataOutputStream out = new DataOutputStream(body);
        for (String value : locale) writeText(out, value.getBytes(StandardCharsets.UTF_8));
        writeText(out, encoding.getBytes(StandardCharsets.US_ASCII));
        out.writeInt(names.size());
        for (int i = 0; i < names.size(); ++i) {
            writeText(out, names.get(i).getBytes(StandardCharsets.UTF_8));
            writeText(out, texts.get(i));
        }
        final ByteArrayOutputStream request = new ByteArrayOutputStream();
        request.write("TZC2".getBytes(StandardCharsets.US_ASCII));
        writeText(new DataOutputStream(request), body.toByteArray());
        return new Sample(locale, encoding, names, texts, request.toByteArray());
    }

    private static void writeText(DataOutputStream out, byte[] bytes) throws IOException {
        out.writeInt(bytes.length);
        out.write(bytes);
    }

    private static byte[] mutate(Random random, byte[] bytes) {
        final byte[] copy = bytes.clone();
        switch (random.nextInt(5)) {
            case 0 -> copy[random.nextInt(copy.length)] ^= (byte) (1 << random.nextInt(8));
            case 1 -> {
                return Arrays.copyOf(copy, random.nextInt(copy.length));
            }
            case 2 -> {
                // A length that lies: huge, negative, off by a little.
                final int at = random.nextInt(copy.length - 3);
                final int[] lies = {Integer.MAX_VALUE, -1, CompileRequest.MAX_BYTES,
                        CompileRequest.MAX_BYTES + 1, random.nextInt(), random.nextInt(64)};
                ByteBuffer.wrap(copy).putInt(at, lies[random.nextInt(lies.length)]);
            }
            case 3 -> {
                final byte[] longer = Arrays.copyOf(copy, copy.length + 1 + random.nextInt(64));
                for (int k = copy.length; k < longer.length; ++k) longer[k] = (byte) random.nextInt();
                return longer;
            }
            default -> {
                final byte[] noise = new byte[random.nextInt(256)];
                random.nextBytes(noise);
                if (noise.length >= 4 && random.nextBoolean()) System.arraycopy(copy, 0, noise, 0, 4);
                return noise;
            }
        }
        return copy;
    }
}
